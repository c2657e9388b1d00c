// SPDX-License-Identifier: GPL-3.0-or-later
// Matching one disk's stored files against the index of the whole set: a disk of 100,000
// files against 1,000,000 rows must take well under a second, index building included.
#include "core/FileTable.h"
#include "core/rFile/StoredNameIndex.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

using arbolink::FileTable;
using arbolink::StoredNameIndex;

constexpr std::size_t kRows = 1'000'000;
constexpr std::size_t kDiskFiles = 100'000;

std::string StoredNameOf(std::size_t row) {
    return "写真/2026-" + std::to_string(row) + ".jpg";
}

void BM_MatchDiskAgainstIndex(benchmark::State& state) {
    FileTable table;
    table.Allocate(kRows);
    for (std::size_t row = 0; row < kRows; ++row) {
        table.SetCell(arbolink::StoredName, row, StoredNameOf(row));
    }
    // Every tenth row lies on this disk, plus names the index does not know.
    std::vector<std::string> listing;
    for (std::size_t i = 0; i < kDiskFiles; ++i) {
        listing.push_back(i % 50 == 0 ? "stray-" + std::to_string(i) : StoredNameOf(i * 10));
    }
    for (auto _ : state) {
        StoredNameIndex index(table, kRows);
        std::int64_t matched = 0;
        for (const std::string& name : listing) {
            for (std::int64_t row = index.First(name); row != StoredNameIndex::kNoRow;
                 row = index.Next(row)) {
                ++matched;
            }
        }
        benchmark::DoNotOptimize(matched);
    }
}
BENCHMARK(BM_MatchDiskAgainstIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
