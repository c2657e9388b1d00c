// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/ChunkHasher.h"

#include <mutex>
#include <new>

namespace arbolink {

namespace {

// The blocks of the hashers that ended, for the next ones. A block this large comes fresh
// from the system on every allocation, and the first touch of each of its pages costs a
// fault: a copy and a read-back of every file took one for each 4 KiB they moved. Two are
// kept: a copy's and a read-back's hasher may live at once.
constexpr std::size_t kShelvedBlocks = 2;
constexpr std::size_t kBlockBytes = 4 * ChunkHasher::kBufferBytes;

std::mutex shelfMutex;

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
    static_assert(kBuffers * kBufferBytes == kBlockBytes);
    memory_ = TakeBlock();
    if (bufferCount_ > 1) {
        worker_ = std::thread([this] { HashInBackground(); });
    }
}

void ChunkHasher::AlignedFree::operator()(char* memory) const {
    ::operator delete[](memory, std::align_val_t{kBufferAlignment});
}

std::vector<ChunkHasher::Block>& ChunkHasher::Shelf() {
    static std::vector<Block> blocks;
    return blocks;
}

ChunkHasher::Block ChunkHasher::TakeBlock() {
    {
        std::lock_guard lock(shelfMutex);
        if (!Shelf().empty()) {
            Block block = std::move(Shelf().back());
            Shelf().pop_back();
            return block;
        }
    }
    return Block(
        static_cast<char*>(::operator new[](kBlockBytes, std::align_val_t{kBufferAlignment})));
}

void ChunkHasher::ReturnBlock(Block block) {
    std::lock_guard lock(shelfMutex);
    if (Shelf().size() < kShelvedBlocks) {
        Shelf().push_back(std::move(block));
    }
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
    ReturnBlock(std::move(memory_));
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
