// SPDX-License-Identifier: GPL-3.0-or-later
// Planning, two ways:
// - BM_PlanMillionRows: sort, same-name check, index size and packing of a synthetic table of
//   1,000,000 rows with 10 % of the names repeated across folders, with the memory per row.
// - BM_PlanMillionFiles: the whole planning run (both walks included) over a generated tree
//   of 1,000,000 sparse files, beside `fpart -s` over the same tree in the same iterations,
//   the two taken in turns. Counters: our time over fpart's, and the peak memory per file
//   beyond the names (resident memory, with the heap trimmed before each run).
#include "SilentHost.h"
#include "core/divide/DiskAssignment.h"
#include "core/divide/Planning.h"
#include "core/divide/PlanningRun.h"
#include "fs/Folders.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <random>
#include <set>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

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
        const std::string name = "file" + std::to_string(id) + ".dat";
        values.Table.SetCell(Folder, r, "folder" + std::to_string(row / 100) + "\\");
        values.Table.SetCell(Name, r, name);
        values.Table.SetCell(StoredName, r, name);
        values.Table.SetNumber(Size, r, static_cast<std::int64_t>(random() % 10'000'000));
    }
}

// A line of /proc/self/status in bytes ("VmHWM:", "VmRSS:").
std::size_t StatusBytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0) {
            return std::stoull(line.substr(std::string(key).size())) * 1024;
        }
    }
    return 0;
}

std::size_t PeakResident() {
    return StatusBytes("VmHWM:");
}

// Gives freed heap back to the system and starts the peak anew from the memory in use now,
// so that the next peak is the next run's own. Answers the resident memory it starts from.
std::size_t StartPeak() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    return StatusBytes("VmRSS:");
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
    // Peak memory the planning adds to the filled table.
    state.counters["extra_bytes_per_row"] = static_cast<double>(peak) / static_cast<double>(rows);
}

BENCHMARK(BM_PlanMillionRows)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

constexpr int kTopFolders = 100;
constexpr int kSubFolders = 100;
constexpr int kFilesPerFolder = 100;
constexpr std::int64_t kTreeFiles = std::int64_t{kTopFolders} * kSubFolders * kFilesPerFolder;
constexpr std::int64_t kDiskBytes = 4'700'000'000; // a DVD
constexpr std::int32_t kClusterBytes = 4096;

// Heavy-tailed sizes, most files small and a few of many megabytes, as photo and document
// trees have them; the files are sparse, so the tree takes inodes and hardly any blocks.
std::int64_t TreeFileSize(std::mt19937_64& random) {
    std::lognormal_distribution<double> size(10.0, 2.0);
    return std::min<std::int64_t>(static_cast<std::int64_t>(size(random)), 1'000'000'000);
}

// The id of a file of another folder, whose name the file id takes as well.
std::int64_t RepeatedId(std::mt19937_64& random, std::int64_t id) {
    const auto other = static_cast<std::int64_t>(random() % kTreeFiles);
    return other / kFilesPerFolder == id / kFilesPerFolder ? (other + kFilesPerFolder) % kTreeFiles
                                                           : other;
}

// 100 folders of 100 folders of 100 files, one name in ten repeated from another folder.
// Made once and kept beside a marker, as the walk benchmark keeps its tree.
const std::string& MillionTree() {
    static const std::string root = [] {
        const std::string path =
            (std::filesystem::temp_directory_path() / "arbolink-bench-million").string();
        if (std::filesystem::exists(path + ".done")) {
            return path;
        }
        std::filesystem::remove_all(path);
        std::mt19937_64 random(7);
        std::int64_t id = 0;
        for (int top = 0; top < kTopFolders; ++top) {
            for (int sub = 0; sub < kSubFolders; ++sub) {
                const std::string dir =
                    path + "/album" + std::to_string(top) + "/day" + std::to_string(sub) + "/";
                std::filesystem::create_directories(dir);
                for (int file = 0; file < kFilesPerFolder; ++file, ++id) {
                    const std::int64_t nameId = id % 10 == 0 ? RepeatedId(random, id) : id;
                    const std::string name = dir + "IMG_" + std::to_string(nameId) + ".jpg";
                    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                    if (fd < 0 || ftruncate(fd, TreeFileSize(random)) != 0) {
                        std::abort();
                    }
                    close(fd);
                }
            }
        }
        std::ofstream(path + ".done");
        return path;
    }();
    return root;
}

struct Timed {
    double seconds = 0;
    std::size_t peakBytes = 0;
};

// `fpart -s` over the tree with its lists thrown away. Its peak memory is not taken: a child
// spawned from this process inherits the parent's peak in its resource usage.
Timed RunFpart(const std::string& tree) {
    const std::string size = std::to_string(kDiskBytes);
    const char* argv[] = {"fpart", "-s", size.c_str(), tree.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned =
        posix_spawnp(&child, "fpart", &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    Timed timed;
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || status != 0) {
        timed.seconds = -1;
        return timed;
    }
    timed.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return timed;
}

// Bytes of the names the table must hold however it is laid out: every file's name, and
// every folder's path once.
std::size_t NameBytes(const PlanningValues& values) {
    std::size_t bytes = 0;
    std::set<std::string> folders;
    for (std::int64_t row = 0; row < values.FileCount; ++row) {
        const auto r = static_cast<std::size_t>(row);
        bytes += values.Table.Cell(Name, r).size();
        folders.insert(values.Table.Cell(Folder, r));
    }
    for (const std::string& folder : folders) {
        bytes += folder.size();
    }
    return bytes;
}

// The whole planning run as a divide makes it, walks included; the peak counts the table.
Timed RunOurs(const std::string& tree, std::size_t& nameBytes, std::int64_t& files) {
    const std::size_t before = StartPeak();
    const auto start = std::chrono::steady_clock::now();
    Timed timed;
    {
        PlanningValues values;
        SilentHost host;
        PlanRequest request;
        request.source = tree;
        request.destination = "/media/disk";
        request.clusterSize = kClusterBytes;
        request.capacity = kDiskBytes / kClusterBytes;
        if (RunPlanning(values, host, request) != PlanOutcome::Complete) {
            timed.seconds = -1;
            return timed;
        }
        timed.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        timed.peakBytes = PeakResident() - before;
        files = values.FileCount;
        nameBytes = NameBytes(values);
    }
    return timed;
}

bool HaveFpart() {
    return std::system("command -v fpart > /dev/null 2>&1") == 0;
}

void BM_PlanMillionFiles(benchmark::State& state) {
    const std::string tree = MillionTree();
    const bool fpart = HaveFpart();
    if (!fpart) {
        state.SetLabel("fpart not installed: no comparison");
    }
    double ours = 0;
    double theirs = 0;
    std::size_t peak = 0;
    std::size_t nameBytes = 0;
    std::int64_t files = 0;
    int turn = 0;
    for (auto _ : state) {
        // Taken in turns, so that neither always runs on a cache the other has warmed.
        const bool fpartFirst = fpart && turn++ % 2 == 0;
        Timed other;
        if (fpartFirst) {
            other = RunFpart(tree);
        }
        const Timed mine = RunOurs(tree, nameBytes, files);
        if (fpart && !fpartFirst) {
            other = RunFpart(tree);
        }
        if (mine.seconds < 0 || other.seconds < 0) {
            state.SkipWithError("a planning run failed");
            return;
        }
        state.SetIterationTime(mine.seconds);
        ours += mine.seconds;
        theirs += other.seconds;
        peak = std::max(peak, mine.peakBytes);
    }
    const auto perFile = [&](double bytes) { return bytes / static_cast<double>(files); };
    state.counters["files"] = static_cast<double>(files);
    state.counters["bytes_per_file"] = perFile(static_cast<double>(peak));
    state.counters["name_bytes_per_file"] = perFile(static_cast<double>(nameBytes));
    state.counters["bytes_per_file_beyond_names"] =
        perFile(static_cast<double>(peak) - static_cast<double>(nameBytes));
    if (fpart) {
        state.counters["time_over_fpart"] = ours / theirs;
        state.counters["fpart_seconds"] = theirs / static_cast<double>(state.iterations());
    }
}

BENCHMARK(BM_PlanMillionFiles)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

} // namespace

BENCHMARK_MAIN();
