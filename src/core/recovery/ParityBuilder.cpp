// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recovery/ParityBuilder.h"

#include "core/CopyReasons.h"
#include "core/Formatted.h"
#include "core/recovery/RecoveryMessages.h"
#include "fs/Folders.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace arbolink {

namespace {

// The parity mapped at once over all the streams, when stripes are smaller.
constexpr std::size_t kMappedRoom = std::size_t{8} << 20;

} // namespace

std::string RecoveryCacheFolder(const std::string& chosen) {
    return chosen.empty() ? ProgramCacheFolder() : chosen;
}

bool MakeRecoveryCacheFolder(const std::string& folder, int& error) {
    errno = 0;
    if (CreateFolders(folder)) {
        return true;
    }
    error = errno != 0 ? errno : EACCES;
    return false;
}

std::string RecoveryCacheUnusableText(const std::string& folder, int error) {
    return Formatted(msg::kRecoveryCacheUnusable,
                     folder.empty() ? "$XDG_CACHE_HOME/arbolink" : folder.c_str(),
                     CopyFailureReason(error).c_str());
}

ParityBuilder::ParityBuilder(int dataCount, int parityCount)
    : encoder_(dataCount, parityCount), stripe_(StripeSizeFor(dataCount, parityCount)),
      span_(std::max(static_cast<std::size_t>(stripe_),
                     kMappedRoom / static_cast<std::size_t>(parityCount))),
      data_(static_cast<std::size_t>(stripe_)) {}

std::unique_ptr<ParityBuilder> ParityBuilder::Create(const std::string& folder, int dataCount,
                                                     int parityCount, int& error) {
    if (!MakeRecoveryCacheFolder(folder, error)) {
        return nullptr;
    }
    std::unique_ptr<ParityBuilder> builder(new ParityBuilder(dataCount, parityCount));
    for (int j = 0; j < parityCount; ++j) {
        std::unique_ptr<WorkFile> file = WorkFile::CreateUnnamed(folder, error);
        if (!file) {
            return nullptr;
        }
        builder->files_.push_back(std::move(file));
    }
    return builder;
}

void ParityBuilder::BeginStream(int dataIndex) {
    stream_ = dataIndex;
    filled_ = 0;
    position_ = 0;
}

// A piece of a stripe or more (the read-back's chunks of a large file) is encoded where it
// lies, without a copy. Smaller ones are gathered first, so that a tree of small files does
// not map the parity once per file.
bool ParityBuilder::Feed(const void* bytes, std::size_t size) {
    const auto* from = static_cast<const std::uint8_t*>(bytes);
    const std::size_t stripe = data_.size();
    if (size >= stripe) {
        if (!AddGathered()) {
            return false;
        }
        for (std::size_t done = 0; done < size; done += std::min(size - done, span_)) {
            if (!Add(from + done, std::min(size - done, span_))) {
                return false;
            }
        }
        return true;
    }
    if (filled_ + size > stripe && !AddGathered()) {
        return false;
    }
    std::memcpy(data_.data() + filled_, from, size);
    filled_ += size;
    return true;
}

bool ParityBuilder::EndStream() {
    const bool added = AddGathered();
    stream_ = -1;
    return added;
}

bool ParityBuilder::AddGathered() {
    const std::size_t length = filled_;
    filled_ = 0;
    return length == 0 || Add(data_.data(), length);
}

// Adds the bytes into the parity at their place, mapped: the parity is read and written once
// per data stream, and a copy in and out would double that. Parity not yet written reads as
// zeros: the streams are padded with zeros to the longest.
bool ParityBuilder::Add(const std::uint8_t* data, std::size_t length) {
    std::vector<std::uint8_t*> parity;
    for (const auto& file : files_) {
        std::uint8_t* bytes = file->Map(position_, length);
        if (bytes == nullptr) {
            error_ = file->Error();
            for (std::size_t j = 0; j < parity.size(); ++j) {
                files_[j]->Unmap(parity[j], length);
            }
            return false;
        }
        parity.push_back(bytes);
    }
    encoder_.Add(stream_, data, length, parity.data());
    for (std::size_t j = 0; j < files_.size(); ++j) {
        files_[j]->Unmap(parity[j], length);
    }
    position_ += static_cast<std::int64_t>(length);
    longest_ = std::max(longest_, position_);
    return true;
}

} // namespace arbolink
