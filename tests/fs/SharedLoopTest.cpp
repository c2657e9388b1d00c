// SPDX-License-Identifier: GPL-3.0-or-later
// The loop shared with a second thread: every item is done exactly once and before the call
// returns, for loops too short to share and for two callers at once, one of whom then finds
// the helper busy.
#include "fs/SharedLoop.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace arbolink {
namespace {

// How often each item of a loop of count items was done. Each range takes a while, as a
// folder's stats do, so that a range still running when the call returns shows.
std::vector<int> Visits(std::size_t count, std::size_t minimum) {
    auto done = std::make_unique<std::atomic<int>[]>(count);
    ShareLoop(count, minimum, [&](std::size_t begin, std::size_t end) {
        ASSERT_LT(begin, end);
        ASSERT_LE(end, count);
        std::this_thread::sleep_for(std::chrono::microseconds(20));
        for (std::size_t i = begin; i < end; ++i) {
            done[i].fetch_add(1);
        }
    });
    std::vector<int> visits(count);
    for (std::size_t i = 0; i < count; ++i) {
        visits[i] = done[i].load();
    }
    return visits;
}

TEST(SharedLoop, EveryItemIsDoneOnceBeforeTheCallReturns) {
    for (std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{16}, std::size_t{17},
                              std::size_t{1000}, std::size_t{20'003}}) {
        SCOPED_TRACE(count);
        EXPECT_EQ(Visits(count, 64), std::vector<int>(count, 1));
    }
    std::vector<std::vector<int>> concurrent(4);
    std::vector<std::thread> callers;
    for (auto& visits : concurrent) {
        callers.emplace_back([&visits] {
            for (int round = 0; round < 20; ++round) {
                visits = Visits(2000, 64);
                if (visits != std::vector<int>(2000, 1)) {
                    return;
                }
            }
        });
    }
    for (std::thread& caller : callers) {
        caller.join();
    }
    for (const auto& visits : concurrent) {
        EXPECT_EQ(visits, std::vector<int>(2000, 1));
    }
}

} // namespace
} // namespace arbolink
