// The two walks of the inventory over a generated 100,000-file tree, measured beside
// `find SOURCE -type f -printf '%s\n'`, one pass that reads every size. Page cache warm.
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

class SilentDialog : public ProgressDialog {
public:
    void SetCaption(const std::string&) override {}
    void SetOuterSize(int, int) override {}
    void SetAnimation(Animation, int, int, bool) override {}
    void SetMessage(const Box&, TextAlignment, const std::string&) override {}
    void SetStage(const std::string&) override {}
    void PlaceGauge(int, int) override {}
    void SetGauge(int) override {}
    void Show() override {}
    void Repaint() override {}
    bool CancelRequested() const override { return false; }
};

class SilentHost : public Host {
public:
    Button ShowDialog(DialogKind, const std::string&, const Buttons& b) override {
        return b.front();
    }
    void Beep() override {}
    void ProcessMessages() override {}
    std::unique_ptr<ProgressDialog> CreateProgressDialog() override {
        return std::make_unique<SilentDialog>();
    }
    void SetMainWindowEnabled(bool) override {}
    MainFields ReadFields() override { return {}; }
    void SelectFieldText(Field) override {}
};

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
