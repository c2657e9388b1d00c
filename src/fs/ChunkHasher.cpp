// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/ChunkHasher.h"

#include <new>

namespace arbolink {

namespace {

// Below this a file is hashed in place: starting a thread takes longer than hashing it.
constexpr std::int64_t kBackgroundFrom = std::int64_t{4} << 20;

// A small file's buffer: its size and a byte more (for the read that finds its end), taken up
// to the alignment.
std::size_t SmallBufferBytes(std::int64_t fileSize) {
    const auto size = static_cast<std::size_t>(fileSize > 0 ? fileSize : 0) + 1;
    const std::size_t aligned = (size + ChunkHasher::kBufferAlignment - 1) /
                                ChunkHasher::kBufferAlignment * ChunkHasher::kBufferAlignment;
    return aligned < ChunkHasher::kBufferBytes ? aligned : ChunkHasher::kBufferBytes;
}

} // namespace

ChunkHasher::ChunkHasher(std::int64_t fileSize)
    : bufferCount_(fileSize >= kBackgroundFrom ? kBuffers : 1),
      bufferBytes_(bufferCount_ > 1 ? kBufferBytes : SmallBufferBytes(fileSize)) {
    memory_.reset(static_cast<char*>(
        ::operator new[](bufferCount_* bufferBytes_, std::align_val_t{kBufferAlignment})));
    if (bufferCount_ > 1) {
        worker_ = std::thread([this] { HashInBackground(); });
    }
}

void ChunkHasher::AlignedFree::operator()(char* memory) const {
    ::operator delete[](memory, std::align_val_t{kBufferAlignment});
}

ChunkHasher::~ChunkHasher() {
    if (worker_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        worker_.join();
    }
}

char* ChunkHasher::NextBuffer() {
    if (bufferCount_ > 1) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return handed_ - hashed_ < bufferCount_; });
    }
    return memory_.get() + (handed_ % bufferCount_) * bufferBytes_;
}

void ChunkHasher::Hand(const char* buffer, std::size_t size) {
    if (bufferCount_ == 1) {
        hash_.Update(buffer, size);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        sizes_[handed_ % bufferCount_] = size;
        ++handed_;
    }
    changed_.notify_all();
}

Sha256Digest ChunkHasher::Finish() {
    if (bufferCount_ > 1) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return hashed_ == handed_; });
    }
    return hash_.Finish();
}

void ChunkHasher::HashInBackground() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stop_ || hashed_ < handed_; });
        if (hashed_ == handed_) {
            return; // stopped with nothing left: a cancelled copy needs no digest
        }
        const std::size_t slot = hashed_ % bufferCount_;
        const std::size_t size = sizes_[slot];
        lock.unlock();
        hash_.Update(memory_.get() + slot * bufferBytes_, size);
        lock.lock();
        ++hashed_;
        changed_.notify_all();
    }
}

} // namespace arbolink
