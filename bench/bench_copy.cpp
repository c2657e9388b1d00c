// SPDX-License-Identifier: GPL-3.0-or-later
// Copying onto a tmpfs through the split run (hashing every file, without the read-back) and
// the restore run (checking every file against the set map), each measured beside `cp -a` of
// the same files onto the same file system in the same iteration (the two take turns in going
// first), for 20 files of 100 MiB and for a tree of 10,000 small files. vs_cp is the
// throughput against cp -a: cp's time over ours, summed over the iterations; vs_cp_cpu the
// same in processor time (cp's counted with the shell that starts it).
//
// The read-back of a written disk folder of 4.7 GB beside `sha256sum` of the same files:
// vs_sha256sum is sha256sum's time over ours.
//
// Then a whole divide (planning and writing onto five disks) of a 100,000-file tree, beside
// the copy routine alone copying the same files in the same order: outside_copy_pct is the
// share of the divide's time spent outside copying (outside_copy_cpu_pct in processor time).
// planning_s is the part of the divide up to its question for the disks, writing_s the rest.
//
// Sources and targets live on two tmpfs file systems of the benchmark's own, mounted in a
// private mount namespace (root); elsewhere both go to /dev/shm. Takes about 9.5 GiB of memory
// while it runs.
#include "SilentHost.h"
#include "core/Formatted.h"
#include "core/Session.h"
#include "core/SetChecksums.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/Planning.h"
#include "core/divide/SplitCommand.h"
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/RestoreRun.h"
#include "core/wFile/SetWriter.h"
#include "core/wFile/SplitRun.h"
#include "core/wFile/WriteMessages.h"
#include "fs/Copy.h"
#include "fs/Folders.h"
#include "fs/ReadBack.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <limits>
#include <random>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace arbolink;
namespace stdfs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::int32_t kCluster = 4096;

// Wall-clock and processor time of one measured step. The machine is shared, so the wall
// clock also counts time spent waiting for a processor; the processor time does not.
struct Timing {
    double wall = 0;
    double cpu = 0;
    Timing& operator+=(const Timing& other) {
        wall += other.wall;
        cpu += other.cpu;
        return *this;
    }
};

double ProcessCpu() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Processor time of the waited-for children: the shell and cp.
double ChildrenCpu() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Times a step of this process, or with children set, of the commands it runs.
class Stopwatch {
public:
    explicit Stopwatch(bool children = false)
        : children_(children), wall_(Clock::now()), cpu_(Cpu()) {}
    Timing Stop() const {
        return {std::chrono::duration<double>(Clock::now() - wall_).count(), Cpu() - cpu_};
    }

private:
    double Cpu() const { return children_ ? ChildrenCpu() : ProcessCpu(); }
    bool children_;
    Clock::time_point wall_;
    double cpu_;
};

// The two file systems: one for the sources, one that every copy goes to.
class Scratch {
public:
    static Scratch& Get() {
        static Scratch scratch;
        return scratch;
    }
    const std::string& source() const { return source_; }
    const std::string& target() const { return target_; }
    // Empties the target file system; not timed.
    void ClearTarget() const {
        for (const auto& entry : stdfs::directory_iterator(target_)) {
            stdfs::remove_all(entry.path());
        }
    }

private:
    Scratch() {
        std::string base = (stdfs::temp_directory_path() / "arbolink-bench-copy-XXXXXX").string();
        if (mkdtemp(base.data()) != nullptr && unshare(CLONE_NEWNS) == 0 &&
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
            Mount(base + "/source") && Mount(base + "/target")) {
            base_ = base;
            source_ = base + "/source";
            target_ = base + "/target";
            return;
        }
        stdfs::remove_all(base);
        base_ = "/dev/shm/arbolink-bench-copy-" + std::to_string(getpid());
        source_ = base_ + "/source";
        target_ = base_ + "/target";
        stdfs::create_directories(source_);
        stdfs::create_directories(target_);
        onDevShm_ = true;
    }
    ~Scratch() {
        if (!onDevShm_) {
            umount2(source_.c_str(), MNT_DETACH);
            umount2(target_.c_str(), MNT_DETACH);
        }
        std::error_code ignored;
        stdfs::remove_all(base_, ignored);
    }
    static bool Mount(const std::string& folder) {
        stdfs::create_directories(folder);
        return mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=10g") == 0;
    }

    std::string base_;
    std::string source_;
    std::string target_;
    bool onDevShm_ = false;
};

// Answers every question with its first button and remembers the last message. At every
// disk prompt after the first it takes the written disk out by moving its folder aside, so
// that the next disk starts empty on the same file system. With a stopwatch given, it notes
// the time at which the divide asks for the disks: there the planning has ended.
class BenchHost : public bench::SilentHost {
public:
    Button ShowDialog(DialogKind, const std::string& text, const Buttons& buttons) override {
        if (watch != nullptr && IsFilledIn(msg::kPrepareDisks, text)) {
            planning = watch->Stop();
        }
        lastText = text;
        // The prompt's only number is the disk's, wherever the language puts it.
        const std::size_t digits = text.find_first_of("0123456789");
        const int disk = IsFilledIn(msg::kInsertDisk, text) && digits != std::string::npos
                             ? std::atoi(text.c_str() + digits)
                             : 0;
        if (disk >= 2) {
            stdfs::rename(fields.destination, fields.destination + "-" + std::to_string(disk - 1));
        }
        return buttons.front();
    }
    MainFields ReadFields() override { return fields; }

    MainFields fields;
    std::string lastText;
    const Stopwatch* watch = nullptr;
    Timing planning;
};

void WriteFileOfSize(const std::string& path, std::int64_t size, char fill) {
    std::string bytes(std::min<std::int64_t>(size, std::int64_t{1} << 20), fill);
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    for (std::int64_t left = size; left > 0;) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(left, bytes.size()));
        if (write(fd, bytes.data(), n) != static_cast<ssize_t>(n)) {
            break;
        }
        left -= static_cast<std::int64_t>(n);
    }
    close(fd);
}

// A source tree, its plan for one disk, and that disk's set made of hard links to the
// source files with the set map of their digests, for the restore to read and check.
struct Tree {
    std::string root;
    std::int64_t bytes = 0;
    PlanningValues plan;
    std::string set;
};

void PlanAndLinkSet(Tree& tree, const std::string& name) {
    BenchHost host;
    PlanRequest request;
    request.source = tree.root;
    request.destination = Scratch::Get().target() + "/split";
    request.clusterSize = kCluster;
    request.capacity = std::numeric_limits<std::int32_t>::max();
    RunPlanning(tree.plan, host, request);
    tree.set = Scratch::Get().source() + "/set-" + name + "/";
    stdfs::create_directories(tree.set);
    const FileTable& table = tree.plan.Table;
    std::string map;
    for (std::int64_t row = 0; row < tree.plan.FileCount; ++row) {
        const auto r = static_cast<std::size_t>(row);
        const std::string from =
            tree.plan.SourceRoot + FromIndexFolder(table.Cell(Folder, r)) + table.Cell(Name, r);
        const std::string stored = tree.set + table.Cell(StoredName, r);
        stdfs::create_hard_link(from, stored);
        Sha256Digest digest{};
        int error = 0;
        ReadBackDigest(stored, digest, error);
        AppendMapLine(map, table.Cell(StoredName, r), 1, table.Number(Size, r), &digest);
    }
    WriteFileAtomically(tree.set + kSetMapName, map);
    WriteIndexFile(tree.set, tree.plan);
    WriteIdentityFile(tree.set, "bench", 1, 1);
}

const Tree& LargeFiles() {
    static const Tree tree = [] {
        Tree made;
        made.root = Scratch::Get().source() + "/large";
        stdfs::create_directories(made.root);
        for (int i = 0; i < 20; ++i) {
            const std::string path = made.root + "/file" + std::to_string(i) + ".bin";
            WriteFileOfSize(path, std::int64_t{100} << 20, static_cast<char>('a' + i));
            made.bytes += std::int64_t{100} << 20;
        }
        PlanAndLinkSet(made, "large");
        return made;
    }();
    return tree;
}

// files files of 0 to maxSize bytes, perFolder to a folder, folders grouped by tens.
Tree MakeSmallFiles(const std::string& name, int files, int perFolder, int maxSize) {
    Tree made;
    made.root = Scratch::Get().source() + "/" + name;
    std::mt19937 random(7);
    for (int i = 0; i < files; ++i) {
        const int folder = i / perFolder;
        const std::string dir =
            made.root + "/g" + std::to_string(folder / 10) + "/f" + std::to_string(folder);
        if (i % perFolder == 0) {
            stdfs::create_directories(dir);
        }
        const std::int64_t size = random() % static_cast<unsigned>(maxSize + 1);
        WriteFileOfSize(dir + "/file" + std::to_string(i % perFolder) + ".txt", size, 's');
        made.bytes += size;
    }
    return made;
}

const Tree& SmallFiles() {
    static const Tree tree = [] {
        Tree made = MakeSmallFiles("small", 10'000, 100, 8192);
        PlanAndLinkSet(made, "small");
        return made;
    }();
    return tree;
}

const Tree& HundredThousandFiles() {
    static const Tree tree = MakeSmallFiles("tree100k", 100'000, 100, 2048);
    return tree;
}

// Negative wall time when cp failed.
Timing TimeCp(const std::string& from, const std::string& to) {
    const std::string command = "cp -a '" + from + "' '" + to + "'";
    const Stopwatch watch(true);
    if (std::system(command.c_str()) != 0) {
        return {-1, 0};
    }
    return watch.Stop();
}

Timing TimeSplitCopy(const Tree& tree, std::string& outcome) {
    PlanningValues values = tree.plan;
    values.DestRoot = Scratch::Get().target() + "/split/";
    values.RunStatus = kRunning;
    BenchHost host;
    WriteRequest request;
    request.clusterSize = kCluster;
    request.verifyAfterWrite = false; // measured on its own below
    const Stopwatch watch;
    WriteDisks(values, host, request);
    const Timing timing = watch.Stop();
    outcome = host.lastText;
    return timing;
}

Timing TimeRestoreCopy(const Tree& tree, std::string& outcome) {
    const std::string to = Scratch::Get().target() + "/restore";
    stdfs::create_directories(to);
    Session session;
    BenchHost host;
    host.fields.destination = tree.set;
    host.fields.restoreTo = to;
    const Stopwatch watch;
    RestoreDisks(session, host);
    const Timing timing = watch.Stop();
    outcome = host.lastText;
    return timing;
}

enum class Run { Split, Restore };

// Runs the peer's step and ours once each an iteration, taking turns in going first, and sums
// their times; the iteration's time is ours. A step answers a negative wall time when it
// failed, after telling the state why: the run ends there.
bool TakeTurns(benchmark::State& state, const std::function<Timing()>& peer,
               const std::function<Timing()>& ours, Timing& peerTotal, Timing& oursTotal) {
    std::int64_t round = 0;
    for (auto _ : state) {
        Timing step;
        for (int turn = 0; turn < 2; ++turn) {
            const bool peerFirst = (turn + round) % 2 == 0;
            const Timing timing = peerFirst ? peer() : ours();
            if (timing.wall < 0) {
                return false;
            }
            (peerFirst ? peerTotal : oursTotal) += timing;
            step = peerFirst ? step : timing;
        }
        state.SetIterationTime(step.wall);
        ++round;
    }
    return true;
}

void MeasureAgainstCp(benchmark::State& state, const Tree& tree, Run run) {
    const Scratch& scratch = Scratch::Get();
    const Phrase& finished = run == Run::Split ? msg::kCopyFinished : msg::kRestoreFinished;
    auto cpStep = [&] {
        scratch.ClearTarget();
        const Timing timing = TimeCp(tree.root, scratch.target() + "/cp");
        if (timing.wall < 0) {
            state.SkipWithError("cp -a failed");
        }
        return timing;
    };
    auto ourStep = [&] {
        scratch.ClearTarget();
        std::string outcome;
        const Timing timing =
            run == Run::Split ? TimeSplitCopy(tree, outcome) : TimeRestoreCopy(tree, outcome);
        if (outcome != finished) {
            state.SkipWithError(("the run did not finish: " + outcome).c_str());
            return Timing{-1, 0};
        }
        return timing;
    };
    Timing ours;
    Timing cp;
    if (!TakeTurns(state, cpStep, ourStep, cp, ours)) {
        return;
    }
    scratch.ClearTarget();
    const auto n = static_cast<double>(state.iterations());
    state.SetBytesProcessed(tree.bytes * state.iterations());
    state.counters["cp_s"] = cp.wall / n;
    state.counters["cpu_s"] = ours.cpu / n;
    state.counters["cp_cpu_s"] = cp.cpu / n;
    state.counters["vs_cp"] = cp.wall / ours.wall;
    state.counters["vs_cp_cpu"] = cp.cpu / ours.cpu;
}

void BM_SplitRunCopy_20x100MiB(benchmark::State& state) {
    MeasureAgainstCp(state, LargeFiles(), Run::Split);
}
void BM_SplitRunCopy_10000Small(benchmark::State& state) {
    MeasureAgainstCp(state, SmallFiles(), Run::Split);
}
void BM_RestoreRunCopy_20x100MiB(benchmark::State& state) {
    MeasureAgainstCp(state, LargeFiles(), Run::Restore);
}
void BM_RestoreRunCopy_10000Small(benchmark::State& state) {
    MeasureAgainstCp(state, SmallFiles(), Run::Restore);
}

// The copy routine alone over the divide's rows, in the order the split run copies them.
Timing TimeCopyRoutine(const PlanningValues& values, const std::string& folder) {
    stdfs::create_directories(folder);
    const FileTable& table = values.Table;
    const std::function<bool()> between = [] { return true; };
    const Stopwatch watch;
    for (std::int64_t row = 0; row < values.FileCount; ++row) {
        const auto r = static_cast<std::size_t>(row);
        CopyOneFile(values.SourceRoot + FromIndexFolder(table.Cell(Folder, r)) +
                        table.Cell(Name, r),
                    folder + "/" + table.Cell(StoredName, r), between);
    }
    return watch.Stop();
}

// Disks of 27,000 clusters; the index reserve of about 1,100 clusters is taken from each twice,
// so the tree's 100,000 clusters go on five disks.
constexpr std::int64_t kDivideCapacity = 27'000;

// The divide's time, and in planning the part of it up to the question for the disks.
Timing TimeDivide(const Tree& tree, std::int32_t& disks, std::string& outcome, Timing& planning) {
    Session session;
    BenchHost host;
    host.fields.source = tree.root;
    host.fields.destination = Scratch::Get().target() + "/divide";
    const Stopwatch watch;
    host.watch = &watch;
    RunDivide(session, host, host.fields, kCluster, kDivideCapacity, false);
    const Timing timing = watch.Stop();
    disks = session.values.DiskCount;
    outcome = host.lastText;
    planning = host.planning;
    return timing;
}

void BM_Divide_100000Files(benchmark::State& state) {
    const Scratch& scratch = Scratch::Get();
    const Tree& tree = HundredThousandFiles();
    // The plan the divide makes, for the copy routine to copy the same rows in the same order.
    PlanningValues plan;
    BenchHost planner;
    PlanRequest request;
    request.source = tree.root;
    request.destination = scratch.target() + "/divide";
    request.clusterSize = kCluster;
    request.capacity = kDivideCapacity;
    RunPlanning(plan, planner, request);

    Timing divide;
    Timing planning;
    Timing copy;
    Timing cp;
    std::int32_t disks = 0;
    std::int64_t round = 0;
    for (auto _ : state) {
        Timing step;
        for (int turn = 0; turn < 2; ++turn) {
            scratch.ClearTarget();
            if ((turn + round) % 2 == 0) {
                std::string outcome;
                Timing planned;
                step = TimeDivide(tree, disks, outcome, planned);
                if (outcome != msg::kCopyFinished) {
                    state.SkipWithError(("the divide did not finish: " + outcome).c_str());
                    return;
                }
                divide += step;
                planning += planned;
            } else {
                copy += TimeCopyRoutine(plan, scratch.target() + "/copy");
            }
        }
        scratch.ClearTarget();
        cp += TimeCp(tree.root, scratch.target() + "/cp");
        state.SetIterationTime(step.wall);
        ++round;
    }
    scratch.ClearTarget();
    const auto n = static_cast<double>(state.iterations());
    state.counters["disks"] = disks;
    state.counters["cpu_s"] = divide.cpu / n;
    state.counters["planning_s"] = planning.wall / n;
    state.counters["planning_cpu_s"] = planning.cpu / n;
    state.counters["writing_s"] = (divide.wall - planning.wall) / n;
    state.counters["copy_routine_s"] = copy.wall / n;
    state.counters["copy_routine_cpu_s"] = copy.cpu / n;
    state.counters["cp_s"] = cp.wall / n;
    state.counters["outside_copy_pct"] = 100.0 * (divide.wall - copy.wall) / divide.wall;
    state.counters["outside_copy_cpu_pct"] = 100.0 * (divide.cpu - copy.cpu) / divide.cpu;
}

// The read-back of every file of a disk folder of 4.7 GB (47 files of 100 MB) beside
// sha256sum of the same files, taking turns in going first.
void BM_ReadBack_4700MB(benchmark::State& state) {
    static const std::vector<std::string> files = [] {
        std::vector<std::string> made;
        const std::string folder = Scratch::Get().source() + "/readback";
        stdfs::create_directories(folder);
        for (int i = 0; i < 47; ++i) {
            made.push_back(folder + "/f" + std::to_string(i));
            WriteFileOfSize(made.back(), 100'000'000, static_cast<char>('A' + i));
        }
        return made;
    }();
    std::string command = "sha256sum";
    for (const std::string& file : files) {
        command += " '" + file + "'";
    }
    command += " >/dev/null";
    auto sumsStep = [&] {
        const Stopwatch watch(true);
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("sha256sum failed");
            return Timing{-1, 0};
        }
        return watch.Stop();
    };
    auto ourStep = [&] {
        const Stopwatch watch;
        for (const std::string& file : files) {
            Sha256Digest digest{};
            int error = 0;
            if (!ReadBackDigest(file, digest, error)) {
                state.SkipWithError("the read-back failed");
                return Timing{-1, 0};
            }
        }
        return watch.Stop();
    };
    Timing ours;
    Timing sums;
    if (!TakeTurns(state, sumsStep, ourStep, sums, ours)) {
        return;
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["sha256sum_s"] = sums.wall / n;
    state.counters["cpu_s"] = ours.cpu / n;
    state.counters["vs_sha256sum"] = sums.wall / ours.wall;
}

BENCHMARK(BM_SplitRunCopy_20x100MiB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_RestoreRunCopy_20x100MiB)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4);
BENCHMARK(BM_SplitRunCopy_10000Small)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(6);
BENCHMARK(BM_RestoreRunCopy_10000Small)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(6);
BENCHMARK(BM_Divide_100000Files)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_ReadBack_4700MB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
