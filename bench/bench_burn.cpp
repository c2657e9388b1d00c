// SPDX-License-Identifier: GPL-3.0-or-later
// Burning a staged disk of 4.7 GB (47 files of 100 MB in "@dummy@") to a stdio: pseudo-drive
// on tmpfs, building the ISO 9660 image with Rock Ridge and Joliet while writing it, beside
// `xorriso -as mkisofs -R -J` building the image of the same folder onto the same file system
// in the same iteration (the two take turns in going first). vs_xorriso is xorriso's time over
// ours, summed over the iterations: above 1 we are faster.
//
// Staged folder and images live in /dev/shm; each image is removed as soon as it is timed, so
// the run takes about 9.4 GB of memory at most.
#include "fs/Burner.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace arbolink;
namespace stdfs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 47;
constexpr std::size_t kFileBytes = 100'000'000;

class Scratch {
public:
    Scratch() : base_("/dev/shm/arbolink-bench-burn-" + std::to_string(getpid())) {
        stdfs::create_directories(Staged() + "/@dummy@");
        std::vector<char> bytes(kFileBytes);
        std::uint32_t x = 12345;
        for (char& c : bytes) {
            x = x * 1103515245u + 12345u;
            c = static_cast<char>(x >> 24);
        }
        for (int i = 0; i < kFiles; ++i) {
            bytes[0] = static_cast<char>(i); // no two files alike
            std::ofstream out(Staged() + "/@dummy@/file" + std::to_string(i) + ".bin",
                              std::ios::binary);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
    }
    ~Scratch() {
        std::error_code ignored;
        stdfs::remove_all(base_, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    std::string Staged() const { return base_ + "/disk01"; }
    std::string Image(const char* name) const { return base_ + "/" + name; }

private:
    std::string base_;
};

double Seconds(Clock::time_point begun) {
    return std::chrono::duration<double>(Clock::now() - begun).count();
}

void BM_Burn_4700MB(benchmark::State& state) {
    if (!BurningBuilt() || std::system("xorriso -version >/dev/null 2>&1") != 0) {
        state.SkipWithError("needs libburn, libisofs and xorriso");
        return;
    }
    const Scratch scratch;
    std::unique_ptr<Burner> burner = OpenBurner();
    const std::string theirs = scratch.Image("xorriso.iso");
    const std::string command = "xorriso -as mkisofs -R -J -quiet -o '" + theirs + "' '" +
                                scratch.Staged() + "' >/dev/null 2>&1";
    double oursTotal = 0;
    double theirsTotal = 0;
    bool oursFirst = true;
    for (auto _ : state) {
        const std::string ours = scratch.Image("ours.iso");
        double oursTime = 0;
        double theirsTime = 0;
        auto runOurs = [&] {
            std::int64_t blocks = 0;
            std::string detail;
            const Clock::time_point begun = Clock::now();
            const BurnEnd end =
                burner->Burn("stdio:" + ours, scratch.Staged(), 0, {}, blocks, detail);
            oursTime = Seconds(begun);
            if (end != BurnEnd::Written) {
                state.SkipWithError(("burn failed: " + detail).c_str());
            }
            stdfs::remove(ours);
        };
        auto runTheirs = [&] {
            const Clock::time_point begun = Clock::now();
            if (std::system(command.c_str()) != 0) {
                state.SkipWithError("xorriso failed");
            }
            theirsTime = Seconds(begun);
            stdfs::remove(theirs);
        };
        if (oursFirst) {
            runOurs();
            runTheirs();
        } else {
            runTheirs();
            runOurs();
        }
        oursFirst = !oursFirst;
        state.SetIterationTime(oursTime);
        oursTotal += oursTime;
        theirsTotal += theirsTime;
    }
    state.counters["vs_xorriso"] = oursTotal > 0 ? theirsTotal / oursTotal : 0;
    const double megabytes = kFiles * (kFileBytes / 1e6) * static_cast<double>(state.iterations());
    state.counters["ours_MBps"] = oursTotal > 0 ? megabytes / oursTotal : 0;
    state.counters["xorriso_MBps"] = theirsTotal > 0 ? megabytes / theirsTotal : 0;
}

} // namespace

BENCHMARK(BM_Burn_4700MB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4);

BENCHMARK_MAIN();
