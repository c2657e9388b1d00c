// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery disks, measured through the command-line tool as a user runs it, on the staged
// form (`divide --disk-folders`), every folder on a tmpfs of the benchmark's own (the cache
// folder of the parity's working files too).
//
// BM_Divide_2GB_K2_vs_K0: a divide of 2 GB (100 files of 20 MB) onto 10 disk folders with two
// recovery disks, beside the same divide without them, in the same iteration, taking turns
// in going first. k2_vs_k0 is the median over the iterations of the K = 2 divide's time over
// the K = 0 divide's (k2_vs_k0_cpu the same in processor time); k0_s and k2_s are the medians
// of their times. k2_peak_rss_mib is the
// largest resident size the K = 2 divide reached.
//
// BM_Par2_100MB: the same over 100 MB (50 files of 2 MB, 10 disks of data), beside par2
// (par2cmdline) at the same redundancy, K / N = 20 % of the data, over the same data files.
// par2 takes minutes over 2 GB on two processors, hence the smaller set; its cost grows with
// the data times the recovery blocks, so the ratio hardly depends on the size.
// - vs_par2_create: par2 create's time over the time the recovery disks add to the divide
//   (K = 2 divide less K = 0 divide); vs_par2_create_whole: par2 create's over the whole K = 2
//   divide, which also copies and reads back every file. par2 runs on every processor, as it
//   does by default.
// - vs_par2_repair: par2 repair's time, once disk 5's data files are gone, over `rebuild` of
//   disk 5 from the nine other data disks and the two recovery disks.
// Every figure is the median over the iterations. k2_peak_rss_mib beside the 2 GB figure shows
// that the memory of the encode does not grow with the set's size.
//
// Needs root for the tmpfs in a private mount namespace; elsewhere everything goes to
// /dev/shm. Takes about 7 GiB of memory while it runs.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace stdfs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kDataDisks = 10;
constexpr int kRecoveryDisks = 2;
constexpr int kLostDisk = 5;

// The tmpfs every folder of the benchmark lives on.
class Scratch {
public:
    static const std::string& Folder() {
        static Scratch scratch;
        return scratch.folder_;
    }

private:
    Scratch() {
        std::string base = (stdfs::temp_directory_path() / "arbolink-bench-rs-XXXXXX").string();
        if (mkdtemp(base.data()) != nullptr && unshare(CLONE_NEWNS) == 0 &&
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
            mount("tmpfs", base.c_str(), "tmpfs", 0, "size=8g") == 0) {
            folder_ = base;
            mounted_ = true;
        } else {
            stdfs::remove_all(base);
            folder_ = "/dev/shm/arbolink-bench-rs-" + std::to_string(getpid());
            stdfs::create_directories(folder_);
        }
        setenv("XDG_CACHE_HOME", (folder_ + "/cache").c_str(), 1);
    }
    ~Scratch() {
        if (mounted_) {
            umount2(folder_.c_str(), MNT_DETACH);
        }
        std::error_code ignored;
        stdfs::remove_all(folder_, ignored);
    }

    std::string folder_;
    bool mounted_ = false;
};

// One command's run: wall-clock and processor seconds, its peak resident size, and whether it
// exited 0. The machine may be shared: the wall clock then also counts time spent waiting for
// a processor, the processor time does not.
struct Run {
    double wall = 0;
    double cpu = 0;
    double peakRssMib = 0;
    bool ok = false;
};

// Runs the command with stdin, stdout and stderr on /dev/null, waiting for it alone so that its own
// resource use is known.
Run RunCommand(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    Run run;
    run.wall = std::chrono::duration<double>(Clock::now() - start).count();
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    run.cpu = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.peakRssMib = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.ok = child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// files files of fileBytes pseudo-random bytes each, in a folder of their own.
std::string MakeSource(const std::string& name, int files, std::size_t fileBytes) {
    const std::string folder = Scratch::Folder() + "/" + name;
    stdfs::create_directories(folder);
    std::mt19937_64 random(17);
    std::vector<std::uint64_t> bytes(fileBytes / sizeof(std::uint64_t));
    for (int i = 0; i < files; ++i) {
        std::generate(bytes.begin(), bytes.end(), random);
        char file[32];
        std::snprintf(file, sizeof file, "/f%03d.bin", i);
        const int fd = open((folder + file).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const auto size = static_cast<ssize_t>(bytes.size() * sizeof(std::uint64_t));
        if (fd < 0 || write(fd, bytes.data(), static_cast<std::size_t>(size)) != size) {
            std::abort();
        }
        close(fd);
    }
    return folder;
}

// A set staged in folder: disk n is folder/diskNN, its files in @dummy@.
std::string DiskFolder(const std::string& folder, int disk) {
    char name[16];
    std::snprintf(name, sizeof name, "/disk%02d", disk);
    return folder + name;
}

int CountDisks(const std::string& folder) {
    int disks = 0;
    while (stdfs::exists(DiskFolder(folder, disks + 1))) {
        ++disks;
    }
    return disks;
}

Run Divide(const std::string& source, const std::string& folder, const std::string& capacity,
           int recoveryDisks) {
    stdfs::remove_all(folder);
    return RunCommand({ARBOLINK_CLI, "divide", source, "--disk-folders", folder, "--capacity",
                       capacity, "--recovery-disks", std::to_string(recoveryDisks), "-y",
                       "--empty-destination"});
}

// The data files (not the set files) of data disk disk of the set staged in folder.
std::vector<std::string> DataFiles(const std::string& folder, int disk) {
    std::vector<std::string> files;
    for (const auto& entry : stdfs::directory_iterator(DiskFolder(folder, disk) + "/@dummy@")) {
        if (entry.path().extension() == ".bin") {
            files.push_back(entry.path().string());
        }
    }
    return files;
}

// A divide with K = 2 and one with K = 0 of the same source, taking turns in going first.
struct DividePair {
    Run k0;
    Run k2;
};

// A divide whose set does not have the disks it should counts as failed.
Run DivideChecked(const std::string& source, const std::string& folder, const std::string& capacity,
                  int recoveryDisks) {
    Run run = Divide(source, folder, capacity, recoveryDisks);
    run.ok = run.ok && CountDisks(folder) == kDataDisks + recoveryDisks;
    return run;
}

// With keepK2, the K = 2 set is left in the set folder for what follows.
bool DivideBoth(benchmark::State& state, const std::string& source, const std::string& capacity,
                std::int64_t round, bool keepK2, DividePair& pair) {
    const std::string folder = Scratch::Folder() + "/set";
    for (int turn = 0; turn < 2; ++turn) {
        const bool k0 = (turn + round) % 2 == 0;
        (k0 ? pair.k0 : pair.k2) = DivideChecked(source, folder, capacity, k0 ? 0 : kRecoveryDisks);
    }
    // The K = 0 set is the last made in odd rounds.
    const bool again = keepK2 && round % 2 == 1;
    if (!pair.k0.ok || !pair.k2.ok ||
        (again && !DivideChecked(source, folder, capacity, kRecoveryDisks).ok)) {
        state.SkipWithError("a divide failed or did not make its 10 data disks");
        return false;
    }
    return true;
}

void BM_Divide_2GB_K2_vs_K0(benchmark::State& state) {
    static const std::string source = MakeSource("src2g", 100, 20'000'000);
    std::vector<double> k0;
    std::vector<double> k2;
    std::vector<double> ratio;
    std::vector<double> cpuRatio;
    double peak = 0;
    std::int64_t round = 0;
    for (auto _ : state) {
        DividePair pair;
        if (!DivideBoth(state, source, "205M", round++, false, pair)) {
            return;
        }
        k0.push_back(pair.k0.wall);
        k2.push_back(pair.k2.wall);
        ratio.push_back(pair.k2.wall / pair.k0.wall);
        cpuRatio.push_back(pair.k2.cpu / pair.k0.cpu);
        peak = std::max(peak, pair.k2.peakRssMib);
        state.SetIterationTime(pair.k2.wall);
    }
    stdfs::remove_all(Scratch::Folder() + "/set");
    state.counters["k0_s"] = Median(k0);
    state.counters["k2_s"] = Median(k2);
    state.counters["k2_vs_k0"] = Median(ratio);
    state.counters["k2_vs_k0_cpu"] = Median(cpuRatio);
    state.counters["k2_peak_rss_mib"] = peak;
}

void BM_Par2_100MB(benchmark::State& state) {
    static const std::string source = MakeSource("src100m", 50, 2'000'000);
    const std::string folder = Scratch::Folder() + "/set";
    const std::string par2 = folder + "/set.par2";
    const std::string redundancy = "-r" + std::to_string(100 * kRecoveryDisks / kDataDisks);
    std::vector<double> create;
    std::vector<double> createWhole;
    std::vector<double> repair;
    std::vector<double> rebuildTimes;
    std::vector<double> par2Create;
    std::vector<double> par2Repair;
    double peak = 0;
    std::int64_t round = 0;
    for (auto _ : state) {
        DividePair pair;
        if (!DivideBoth(state, source, "10500K", round++, true, pair)) {
            return;
        }
        peak = std::max(peak, pair.k2.peakRssMib);
        std::vector<std::string> createArgs = {"par2",     "create", "-q",   "-q",
                                               redundancy, "-B",     folder, par2};
        for (int disk = 1; disk <= kDataDisks; ++disk) {
            for (const std::string& file : DataFiles(folder, disk)) {
                createArgs.push_back(file);
            }
        }
        const Run made = RunCommand(createArgs);

        const std::string out = Scratch::Folder() + "/rebuilt";
        stdfs::remove_all(out);
        std::vector<std::string> rebuildArgs = {ARBOLINK_CLI, "rebuild"};
        for (int disk = 1; disk <= kDataDisks + kRecoveryDisks; ++disk) {
            if (disk != kLostDisk) {
                rebuildArgs.insert(rebuildArgs.end(), {"--from", DiskFolder(folder, disk)});
            }
        }
        rebuildArgs.insert(rebuildArgs.end(), {"--disk", std::to_string(kLostDisk), out});
        const Run rebuilt = RunCommand(rebuildArgs);

        for (const std::string& file : DataFiles(folder, kLostDisk)) {
            stdfs::remove(file);
        }
        const Run repaired = RunCommand({"par2", "repair", "-q", "-q", par2});
        if (!made.ok || !rebuilt.ok || !repaired.ok) {
            state.SkipWithError("par2 create, rebuild or par2 repair failed");
            return;
        }
        // Over 100 MB the difference is a fraction of a second: on a busy machine it may come
        // out at nothing or less, and then tells nothing.
        const double added = pair.k2.wall - pair.k0.wall;
        if (added > 0) {
            create.push_back(made.wall / added);
        }
        createWhole.push_back(made.wall / pair.k2.wall);
        repair.push_back(repaired.wall / rebuilt.wall);
        rebuildTimes.push_back(rebuilt.wall);
        par2Create.push_back(made.wall);
        par2Repair.push_back(repaired.wall);
        state.SetIterationTime(pair.k2.wall);
    }
    stdfs::remove_all(folder);
    stdfs::remove_all(Scratch::Folder() + "/rebuilt");
    state.counters["vs_par2_create"] = Median(create);
    state.counters["vs_par2_create_whole"] = Median(createWhole);
    state.counters["vs_par2_repair"] = Median(repair);
    state.counters["par2_create_s"] = Median(par2Create);
    state.counters["par2_repair_s"] = Median(par2Repair);
    state.counters["rebuild_s"] = Median(rebuildTimes);
    state.counters["k2_peak_rss_mib"] = peak;
}

BENCHMARK(BM_Divide_2GB_K2_vs_K0)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Par2_100MB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
