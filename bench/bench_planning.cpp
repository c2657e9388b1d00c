// SPDX-License-Identifier: GPL-3.0-or-later
// Planning of synthetic tables: sort, same-name check, index size and packing of 1,000,000
// rows with 10 % of the names repeated across folders; reports the memory per row as well.
#include "SilentHost.h"
#include "core/divide/DiskAssignment.h"
#include "core/divide/PlanningRun.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>
#include <random>

namespace {

using namespace arbolink;
using bench::SilentDialog;
using bench::SilentHost;

void FillSynthetic(PlanningValues& values, std::int64_t rows) {
    std::mt19937_64 random(42);
    values.FileCount = rows;
    values.ClusterSize = 4096;
    values.Table.Allocate(static_cast<std::size_t>(rows) + 1);
    for (std::int64_t row = 0; row < rows; ++row) {
        auto r = static_cast<std::size_t>(row);
        // One row in ten reuses a name from another folder.
        const std::int64_t id = row % 10 == 0 ? static_cast<std::int64_t>(random() % rows) : row;
        values.Table.Cell(Folder, r) = "folder" + std::to_string(row / 100) + "\\";
        values.Table.Cell(Name, r) = "file" + std::to_string(id) + ".dat";
        values.Table.Cell(StoredName, r) = values.Table.Cell(Name, r);
        values.Table.Cell(Size, r) = std::to_string(random() % 10'000'000);
    }
}

// The process's peak resident memory so far, in bytes.
std::size_t PeakResident() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stoull(line.substr(6)) * 1024;
        }
    }
    return 0;
}

void BM_PlanMillionRows(benchmark::State& state) {
    const std::int64_t rows = state.range(0);
    std::size_t peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        PlanningValues values;
        FillSynthetic(values, rows);
        const std::size_t before = PeakResident();
        SilentHost host;
        SilentDialog dialog;
        PlanningRun run{values, host, dialog};
        state.ResumeTiming();

        SortBySize(run);
        CheckSameNames(run, rows / 100);
        values.IndexReserve = ClustersOf(IndexFileSize(values), values.ClusterSize);
        AssignDisks(run, 1'000'000 - values.IndexReserve, rows / 100);

        state.PauseTiming();
        peak = std::max(peak, PeakResident() - before);
        benchmark::DoNotOptimize(values.DiskCount);
        state.ResumeTiming();
    }
    // Peak memory the planning adds to the filled table (whose short names live inside its
    // cells), and the table's own cells.
    state.counters["extra_bytes_per_row"] = static_cast<double>(peak) / static_cast<double>(rows);
    state.counters["table_cell_bytes_per_row"] = 5.0 * sizeof(std::string);
}

BENCHMARK(BM_PlanMillionRows)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
