// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parity streams of a set's recovery disks, built while its data disks are written.
//
// Each data disk is one stream: the bytes of its files one after another, fed in order and a
// disk at a time. The K parity streams live in working files (the cache folder), mapped a span
// at a time, so memory stays at one span per stream whatever the set's size. They have no
// name in the folder: they go with the builder, or with the process however it ends.

#include "core/recovery/ErasureCode.h"
#include "fs/WorkFile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace arbolink {

// The folder the working files go into: chosen when it is not empty, else $XDG_CACHE_HOME/arbolink,
// or ~/.cache/arbolink when that is not set to an absolute path; a folder prefix. Empty when
// neither can be known.
std::string RecoveryCacheFolder(const std::string& chosen);

// Makes the folder of the working files when it is missing. False, error set to an errno
// value, when it cannot be made.
bool MakeRecoveryCacheFolder(const std::string& folder, int& error);

// The message that the working files cannot be made in folder (empty: no cache folder could
// be known) for the errno value error.
std::string RecoveryCacheUnusableText(const std::string& folder, int error);

class ParityBuilder {
public:
    // The working files of parityCount parity streams for dataCount data streams in folder
    // (a folder prefix, created when missing). Null, error set to an errno value, when they
    // cannot be made. RecoveryFits(dataCount, parityCount) must hold.
    static std::unique_ptr<ParityBuilder> Create(const std::string& folder, int dataCount,
                                                 int parityCount, int& error);

    // Starts data stream dataIndex (from 0) at its first byte. A stream is fed once.
    void BeginStream(int dataIndex);
    // The next bytes of the stream begun. False when a working file cannot be read or written.
    bool Feed(const void* bytes, std::size_t size);
    // Adds what is left of the stream begun. False as Feed.
    bool EndStream();

    // The longest data stream fed: the length of every parity stream.
    std::int64_t StreamLength() const { return longest_; }
    std::int64_t StripeSize() const { return stripe_; }
    int ParityCount() const { return static_cast<int>(files_.size()); }
    // Parity stream j (from 0), for reading once every data stream was fed.
    WorkFile& Parity(int j) { return *files_[static_cast<std::size_t>(j)]; }
    // The errno value of the last failure.
    int Error() const { return error_; }

private:
    ParityBuilder(int dataCount, int parityCount);
    // Adds the bytes gathered in data_, then none are.
    bool AddGathered();
    // Adds length bytes of the stream begun, from data, at position_, and moves it on.
    bool Add(const std::uint8_t* data, std::size_t length);

    ParityEncoder encoder_;
    std::int64_t stripe_;
    // The bytes of each parity stream mapped at once: a stripe or more. Each unmapping costs
    // the other processors a flush, so a span is as long as the room allows.
    std::size_t span_;
    std::vector<std::unique_ptr<WorkFile>> files_;
    std::vector<std::uint8_t> data_; // small pieces gathered, a stripe at most
    int stream_ = -1;
    std::size_t filled_ = 0;
    std::int64_t position_ = 0; // in its stream, of the first byte not yet added
    std::int64_t longest_ = 0;
    int error_ = 0;
};

} // namespace arbolink
