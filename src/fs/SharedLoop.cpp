// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/SharedLoop.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace arbolink {

namespace {

// Items taken at a time: the two threads take turns through the loop, so neither waits for
// a half the other was slow to start.
constexpr std::size_t kRange = 16;

class LoopHelper {
public:
    // The helper, or null on a machine of one processor or where no thread can be started.
    static LoopHelper* Get() {
        static LoopHelper helper;
        return helper.thread_.joinable() ? &helper : nullptr;
    }

    ~LoopHelper() {
        if (thread_.joinable()) {
            {
                std::lock_guard lock(mutex_);
                stop_ = true;
            }
            changed_.notify_all();
            thread_.join();
        }
    }

    // Runs the loop with the helper; false, having done nothing, when it is another caller's.
    bool Run(std::size_t count, const std::function<void(std::size_t, std::size_t)>& work) {
        std::unique_lock own(inUse_, std::try_to_lock);
        if (!own.owns_lock()) {
            return false;
        }
        {
            std::lock_guard lock(mutex_);
            work_ = &work;
            count_ = count;
            next_ = 0;
            offered_ = true;
        }
        changed_.notify_all();
        TakeRanges();
        // A helper that has not woken yet is not waited for: it finds the offer withdrawn.
        std::unique_lock lock(mutex_);
        offered_ = false;
        changed_.wait(lock, [this] { return !working_; });
        return true;
    }

private:
    LoopHelper() {
        if (std::thread::hardware_concurrency() < 2) {
            return;
        }
        try {
            thread_ = std::thread([this] { Serve(); });
        } catch (const std::system_error&) {
        }
    }

    void TakeRanges() {
        for (;;) {
            const std::size_t begin = next_.fetch_add(kRange);
            if (begin >= count_) {
                return;
            }
            (*work_)(begin, std::min(begin + kRange, count_));
        }
    }

    void Serve() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return stop_ || offered_; });
            if (stop_) {
                return;
            }
            offered_ = false;
            working_ = true;
            lock.unlock();
            TakeRanges();
            lock.lock();
            working_ = false;
            changed_.notify_all();
        }
    }

    std::mutex inUse_; // held by the caller whose loop the helper shares
    std::mutex mutex_;
    std::condition_variable changed_;
    const std::function<void(std::size_t, std::size_t)>* work_ = nullptr;
    std::size_t count_ = 0;
    std::atomic<std::size_t> next_{0};
    bool offered_ = false; // a loop waits for the helper to join it
    bool working_ = false; // the helper is in a loop
    bool stop_ = false;
    std::thread thread_;
};

} // namespace

void ShareLoop(std::size_t count, std::size_t minimum,
               const std::function<void(std::size_t, std::size_t)>& work) {
    if (count >= minimum && count > kRange) {
        if (LoopHelper* helper = LoopHelper::Get(); helper != nullptr && helper->Run(count, work)) {
            return;
        }
    }
    if (count > 0) {
        work(0, count);
    }
}

} // namespace arbolink
