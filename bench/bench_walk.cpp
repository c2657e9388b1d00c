// SPDX-License-Identifier: GPL-3.0-or-later
// The two walks of the inventory over a generated 100,000-file tree, measured beside
// `find SOURCE -type f -printf '%s\n'`, one pass that reads every size. Page cache warm.
#include "SilentHost.h"
#include "core/divide/Inventory.h"
#include "fs/Folders.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/stat.h>

namespace {

using namespace arbolink;
using bench::SilentDialog;
using bench::SilentHost;

const std::string& Tree() {
    static const std::string root = [] {
        std::string path =
            (std::filesystem::temp_directory_path() / "arbolink-bench-tree").string();
        if (!std::filesystem::exists(path + ".done")) {
            for (int folder = 0; folder < 1000; ++folder) {
                std::string dir =
                    path + "/d" + std::to_string(folder / 50) + "/f" + std::to_string(folder);
                std::filesystem::create_directories(dir);
                for (int file = 0; file < 100; ++file) {
                    std::ofstream(dir + "/file" + std::to_string(file) + ".txt") << folder << file;
                }
            }
            std::ofstream(path + ".done");
        }
        return path;
    }();
    return root;
}

void BM_InventoryWalks(benchmark::State& state) {
    const std::string source = AddBackslash(Tree());
    for (auto _ : state) {
        PlanningValues values;
        values.SourceRoot = source;
        CountFiles(values, source);
        values.Table.Allocate(static_cast<std::size_t>(values.FileCount) + 1);
        values.RunStatus = kRunning;
        SilentHost host;
        SilentDialog dialog;
        PlanningRun run{values, host, dialog};
        std::int64_t row = -1;
        FillFileTable(run, source, values.FileCount / 100, row);
        if (row + 1 != 100000) {
            state.SkipWithError("the walk missed files");
        }
    }
}

void BM_FindSizes(benchmark::State& state) {
    const std::string command = "find '" + Tree() + "' -type f -printf '%s\\n' > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("find failed");
        }
    }
}

BENCHMARK(BM_FindSizes)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_InventoryWalks)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
