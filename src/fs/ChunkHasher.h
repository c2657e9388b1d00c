// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The SHA-256 of a file as a copy moves it, chunk after chunk, without reading the source
// twice. The copy either reads each chunk into a buffer of the hasher's, hands it over and
// writes it out while the hasher works on it, or hands over work that hashes a stretch it has
// already written (the target's pages, still in memory). For a large file the hash runs on a
// thread of its own, so that hashing one chunk overlaps with copying the next; a small file is
// hashed in place, where a thread would cost more than it saves.

#include "fs/Sha256.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace arbolink {

class ChunkHasher {
public:
    static constexpr std::size_t kBufferBytes = std::size_t{1} << 20;
    // Buffers start on this boundary, as reads that bypass the system's cache want them.
    static constexpr std::size_t kBufferAlignment = 4096;

    // Work handed over: adds bytes to the hash; false when they could not be had.
    using Work = std::function<bool(Sha256&)>;

    // fileSize: the bytes the copy is about to move; it chooses the thread or the place.
    explicit ChunkHasher(std::int64_t fileSize);
    ~ChunkHasher();
    ChunkHasher(const ChunkHasher&) = delete;
    ChunkHasher& operator=(const ChunkHasher&) = delete;

    // Whether the hash runs on a thread of its own.
    bool background() const { return worker_.joinable(); }

    // A buffer of kBufferBytes to read the next chunk into; waits while every buffer is still
    // being hashed.
    char* NextBuffer();
    // Hands over the first size bytes of the buffer NextBuffer gave. The caller may go on
    // reading them (to write them out) but must not change them.
    void Hand(const char* buffer, std::size_t size);
    // Hands over work that adds the next bytes to the hash; it runs after everything handed
    // over before it.
    void HandWork(Work work);
    // The digest of every byte handed over, once the hash has caught up; false when some work
    // could not get its bytes.
    bool Finish(Sha256Digest& digest);

private:
    static constexpr std::size_t kBuffers = 4;
    // Pieces of work waiting at most: the copy does not run further ahead of the hash.
    static constexpr std::size_t kMostWaiting = 4;

    struct Piece {
        const char* buffer = nullptr; // a buffer of ours, or null for work
        std::size_t size = 0;
        Work work;
    };

    void Run(Piece& piece);
    void Queue(Piece piece);
    void HashInBackground();

    struct AlignedFree {
        void operator()(char* memory) const;
    };

    Sha256 hash_;
    std::unique_ptr<char[], AlignedFree> memory_;
    std::size_t bufferCount_;
    std::size_t nextBuffer_ = 0; // the buffer NextBuffer gives next
    std::size_t buffersOut_ = 0; // buffers handed over and not yet hashed
    std::deque<Piece> waiting_;
    bool busy_ = false; // the worker holds a piece
    bool failed_ = false;
    bool stop_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread worker_; // not started for a small file
};

} // namespace arbolink
