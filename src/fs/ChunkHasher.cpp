// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/ChunkHasher.h"

#include <new>

namespace arbolink {

namespace {

// Below this a file is hashed in place: starting a thread takes longer than hashing it.
constexpr std::int64_t kBackgroundFrom = std::int64_t{4} << 20;

} // namespace

ChunkHasher::ChunkHasher(std::int64_t fileSize)
    : bufferCount_(fileSize >= kBackgroundFrom ? kBuffers : 1) {
    memory_.reset(static_cast<char*>(
        ::operator new[](bufferCount_* kBufferBytes, std::align_val_t{kBufferAlignment})));
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
    if (background()) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return buffersOut_ < bufferCount_; });
    }
    char* buffer = memory_.get() + nextBuffer_ * kBufferBytes;
    nextBuffer_ = (nextBuffer_ + 1) % bufferCount_;
    return buffer;
}

void ChunkHasher::Hand(const char* buffer, std::size_t size) {
    Queue({buffer, size, {}});
}

void ChunkHasher::HandWork(Work work) {
    Queue({nullptr, 0, std::move(work)});
}

bool ChunkHasher::Finish(Sha256Digest& digest) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.empty() && !busy_; });
    digest = hash_.Finish();
    const bool good = !failed_;
    failed_ = false;
    return good;
}

void ChunkHasher::Run(Piece& piece) {
    const bool good = piece.buffer != nullptr ? (hash_.Update(piece.buffer, piece.size), true)
                                              : piece.work(hash_);
    if (!good) {
        std::lock_guard lock(mutex_);
        failed_ = true;
    }
}

void ChunkHasher::Queue(Piece piece) {
    if (!background()) {
        Run(piece);
        return;
    }
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return waiting_.size() < kMostWaiting; });
        buffersOut_ += piece.buffer != nullptr ? 1 : 0;
        waiting_.push_back(std::move(piece));
    }
    changed_.notify_all();
}

void ChunkHasher::HashInBackground() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stop_ || !waiting_.empty(); });
        if (waiting_.empty()) {
            return; // stopped with nothing left: a cancelled copy needs no digest
        }
        Piece piece = std::move(waiting_.front());
        waiting_.pop_front();
        busy_ = true;
        lock.unlock();
        Run(piece);
        lock.lock();
        busy_ = false;
        buffersOut_ -= piece.buffer != nullptr ? 1 : 0;
        changed_.notify_all();
    }
}

} // namespace arbolink
