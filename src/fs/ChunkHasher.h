// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The SHA-256 of a file as a copy moves it, chunk after chunk, without reading it twice: the
// copy reads each chunk into a buffer of the hasher's, hands it over and writes it out while
// the hasher works on it. For a large file the hash runs on a thread of its own, so that
// hashing one chunk overlaps with reading and writing the next; a small file is hashed in
// place, where a thread would cost more than it saves.

#include "fs/Sha256.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace arbolink {

class ChunkHasher {
public:
    static constexpr std::size_t kBufferBytes = std::size_t{4} << 20;
    // Buffers start on this boundary, as reads that bypass the system's cache want them.
    static constexpr std::size_t kBufferAlignment = 4096;

    // fileSize: the bytes the copy is about to move; it chooses the thread or the place.
    explicit ChunkHasher(std::int64_t fileSize);
    ~ChunkHasher();
    ChunkHasher(const ChunkHasher&) = delete;
    ChunkHasher& operator=(const ChunkHasher&) = delete;

    // The bytes to read into each buffer: kBufferBytes, or for a small file its size and one
    // byte more taken up to a multiple of kBufferAlignment. The buffers themselves always have
    // kBufferBytes: they come from a shelf that small and large files share.
    std::size_t BufferBytes() const { return bufferBytes_; }

    // A buffer of BufferBytes() to read the next chunk into; waits while every buffer is still
    // being hashed.
    char* NextBuffer();
    // Hands over the first size bytes of the buffer NextBuffer gave. The caller may go on
    // reading them (to write them out) but must not change them.
    void Hand(const char* buffer, std::size_t size);
    // The digest of every byte handed over, once the hash has caught up.
    Sha256Digest Finish();

private:
    static constexpr std::size_t kBuffers = 4;

    void HashInBackground();

    struct AlignedFree {
        void operator()(char* memory) const;
    };
    using Block = std::unique_ptr<char[], AlignedFree>;
    // The room of kBuffers buffers of kBufferBytes, kept from one file's hasher for the next
    // one's on a shelf of the process.
    static Block TakeBlock();
    static void ReturnBlock(Block block);
    static std::vector<Block>& Shelf();

    Sha256 hash_;
    Block memory_;
    std::size_t bufferCount_;
    std::size_t bufferBytes_;
    std::size_t sizes_[kBuffers] = {};
    std::uint64_t handed_ = 0; // buffers handed over so far
    std::uint64_t hashed_ = 0; // of them, hashed
    bool stop_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread worker_; // not started for a small file
};

} // namespace arbolink
