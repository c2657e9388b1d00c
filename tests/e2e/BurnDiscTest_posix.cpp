// SPDX-License-Identifier: GPL-3.0-or-later
// Divides onto stdio: pseudo-drives, by arbolink-cli divide --burn and by the window's Divide:
// the images are extracted by xorriso, by their Rock Ridge and by their Joliet names, and
// restored from the extracted folders.
#include "CliRun.h"
#include "core/Formatted.h"
#include "core/Session.h"
#include "core/divide/DiskAssignment.h"
#include "core/divide/Planning.h"
#include "core/divide/SplitCommand.h"
#include "core/divide/StoredNames.h"
#include "core/recovery/RecoveryMessages.h"
#include "core/wFile/WriteMessages.h"
#include "fs/Burner.h"
#include "support/ScopedVariable_posix.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"
#include "support/TreeSnapshot_posix.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::CliResult;
using test::Contents;
using test::RunCliWith;
using test::TempFolder;

// Whole seconds: ISO 9660 and Rock Ridge keep file times to the second.
void SetTime(const std::string& path, std::time_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

// Extracts the whole image into folder with xorriso, by Rock Ridge names or by Joliet names
// only (as Windows reads the disc).
bool Extract(const std::string& image, const std::string& folder, bool joliet) {
    const std::string command =
        std::string("xorriso -abort_on FAILURE ") + (joliet ? "-rockridge off -joliet on " : "") +
        "-osirrox on -indev '" + image + "' -extract / '" + folder + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

bool HaveTools() {
    return BurningBuilt() && std::system("xorriso -version >/dev/null 2>&1") == 0;
}

class BurnDiscTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveTools()) {
            GTEST_SKIP() << "needs libburn, libisofs and xorriso";
        }
    }

    TempFolder root;
};

TEST_F(BurnDiscTest, ThreeDiscsRestoreExactlyFromTheirExtractedImages) {
    // Names that only Rock Ridge and Joliet carry: Japanese, longer than Joliet's 103
    // characters, and differing in letter case only.
    const std::string longAscii(150, 'n');
    std::string longJapanese;
    for (int i = 0; i < 80; ++i) {
        longJapanese += "長";
    }
    const std::vector<std::pair<std::string, std::string>> files{
        {"写真/夏の海.jpg", Contents(300'000, 1)},
        {"docs/" + longAscii + ".txt", Contents(280'000, 2)},
        {"docs/" + longJapanese, Contents(260'000, 3)},
        {"docs/Readme.TXT", Contents(250'000, 4)},
        {"docs/README.txt", Contents(240'000, 5)},
        {"other/readme.txt", "small"},
        {"empty", ""},
    };
    std::time_t when = 1'600'000'000;
    for (const auto& [path, bytes] : files) {
        root.WriteFile("src/" + path, bytes);
        SetTime(root / ("src/" + path), when += 3600);
    }
    chmod((root / "src/写真/夏の海.jpg").c_str(), 0640);
    test::ScopedVariable cache("XDG_CACHE_HOME", (root / "cache").c_str());
    const std::int64_t capacity = 800'000;
    stdfs::create_directories(root / "out");
    const CliResult divide =
        RunCliWith({"divide", root / "src", "--burn", "stdio:" + root / "out/set.iso", "--capacity",
                    std::to_string(capacity), "--yes"});
    ASSERT_EQ(divide.code, 0) << divide.err;
    EXPECT_NE(divide.err.find(msg::kCopyFinished), std::string::npos);
    // The disks were staged in the cache and are gone once burnt.
    EXPECT_TRUE(stdfs::is_empty(root / "cache/arbolink")) << divide.err;

    std::vector<std::string> from;
    for (int n = 1; n <= 3; ++n) {
        const std::string image = root / ("out/set-0" + std::to_string(n) + ".iso");
        ASSERT_TRUE(stdfs::exists(image)) << n;
        EXPECT_EQ(stdfs::file_size(image) % kDiscBlockBytes, 0u);
        EXPECT_LE(static_cast<std::int64_t>(stdfs::file_size(image)), capacity) << n;
        const std::string rockRidge = root / ("rr/disc" + std::to_string(n));
        const std::string joliet = root / ("joliet/disc" + std::to_string(n));
        ASSERT_TRUE(Extract(image, rockRidge, false)) << image;
        ASSERT_TRUE(Extract(image, joliet, true)) << image;
        // Windows sees every stored name and set file exactly as Linux does.
        EXPECT_EQ(test::TreeOf(joliet), test::TreeOf(rockRidge)) << n;
        from.push_back(rockRidge + "/@dummy@");
    }
    EXPECT_FALSE(stdfs::exists(root / "out/set-04.iso"));

    // Any order of the discs.
    const CliResult restore = RunCliWith({"restore", "--from", from[2], "--from", from[0], "--from",
                                          from[1], root / "restored", "--yes"});
    ASSERT_EQ(restore.code, 0) << restore.err;
    EXPECT_EQ(
        test::Differences(test::SnapshotOf(root / "src"), test::SnapshotOf(root / "restored")),
        std::vector<std::string>{});
}

TEST_F(BurnDiscTest, ManyLongNamesInOneFolderBurnAndRestoreExactly) {
    // Every disk stores its files flat in "@dummy@": 300 ASCII names of 248 bytes and 300
    // Japanese ones of 240, the shape whose directory tree libisofs 1.5.4 writes short when
    // the names are stored as they are.
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        const std::string number = std::to_string(1000 + i);
        names.push_back(number + std::string(248 - number.size(), 'x'));
        std::string japanese = number;
        while (japanese.size() + 3 <= 240) {
            japanese += "名";
        }
        names.push_back(japanese);
    }
    std::time_t when = 1'600'000'000;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string path = root / ("src/d" + std::to_string(i % 3) + "/" + names[i]);
        root.WriteFile("src/d" + std::to_string(i % 3) + "/" + names[i],
                       Contents(i % 5 * 700, static_cast<unsigned>(i)));
        SetTime(path, when += 60);
    }
    test::ScopedVariable cache("XDG_CACHE_HOME", (root / "cache").c_str());
    const CliResult divide =
        RunCliWith({"divide", root / "src", "--burn", "stdio:" + root / "set.iso", "--capacity",
                    "64M", "--yes"});
    ASSERT_EQ(divide.code, 0) << divide.err;
    ASSERT_TRUE(stdfs::exists(root / "set-01.iso"));
    EXPECT_FALSE(stdfs::exists(root / "set-02.iso"));
    ASSERT_TRUE(Extract(root / "set-01.iso", root / "rr", false));
    ASSERT_TRUE(Extract(root / "set-01.iso", root / "joliet", true));
    EXPECT_EQ(test::TreeOf(root / "joliet"), test::TreeOf(root / "rr"));
    std::size_t stored = 0;
    for (const auto& entry : stdfs::directory_iterator(root / "rr/@dummy@")) {
        EXPECT_LE(entry.path().filename().string().size(), kDiscRecordNameBytes);
        ++stored;
    }
    EXPECT_GT(stored, names.size());

    const CliResult restore =
        RunCliWith({"restore", "--from", root / "rr/@dummy@", root / "restored", "--yes"});
    ASSERT_EQ(restore.code, 0) << restore.err;
    EXPECT_EQ(
        test::Differences(test::SnapshotOf(root / "src"), test::SnapshotOf(root / "restored")),
        std::vector<std::string>{});
}

// The real burner, with a blank disc of the given blocks in every drive: an image drive would
// offer the whole free space of its file's drive.
class SmallBlankDiscs final : public Burner {
public:
    explicit SmallBlankDiscs(std::int64_t blocks) : blocks_(blocks) {}

    std::int64_t BlankBlocks(const std::string& drive, BurnEnd& why, std::string& detail) override {
        const std::int64_t blocks = real_->BlankBlocks(drive, why, detail);
        return blocks < 0 ? blocks : std::min(blocks, blocks_);
    }
    BurnEnd Burn(const std::string& drive, const std::string& folder, std::int64_t limitBlocks,
                 const BurnWatch& watch, std::int64_t& imageBlocks, std::string& detail) override {
        limits.push_back(limitBlocks);
        return real_->Burn(drive, folder, limitBlocks, watch, imageBlocks, detail);
    }
    bool ReadBack(const std::string& drive, DiscDigests& digests,
                  const BetweenChunks& betweenChunks, bool& cancelled,
                  std::string& detail) override {
        return real_->ReadBack(drive, digests, betweenChunks, cancelled, detail);
    }
    BurnEnd Blank(const std::string& drive, const BlankWatch& watch, std::string& detail) override {
        return real_->Blank(drive, watch, detail);
    }
    void Discard(const std::string& drive) override { real_->Discard(drive); }
    void Eject(const std::string& drive) override { real_->Eject(drive); }

    std::vector<std::int64_t> limits; // the limit each burn was given

private:
    std::unique_ptr<Burner> real_ = OpenBurner();
    const std::int64_t blocks_;
};

TEST_F(BurnDiscTest, WindowsDivideOntoAnImageDriveBurnsDataAndRecoveryDiscsThatRestore) {
    std::time_t when = 1'600'000'000;
    for (int i = 0; i < 12; ++i) {
        const std::string path = "src/" + std::string(i % 2 ? "写真/" : "") + "f" +
                                 std::to_string(i) + (i % 3 ? ".bin" : ".BIN");
        root.WriteFile(path, Contents(static_cast<std::size_t>(90'000 + i * 7'000), i));
        SetTime(root / path, when += 60);
    }
    test::ScopedVariable cache("XDG_CACHE_HOME", (root / "cache").c_str());
    stdfs::create_directories(root / "out");
    constexpr std::int64_t kBlocks = 300; // 600 KiB a disc
    SmallBlankDiscs burner(kBlocks);
    Session session;
    session.RecoveryDisks = 1;
    test::ScriptedHost host;
    host.fields = {root / "src", "stdio:" + root / "out/set.iso", "", false};
    host.Answer(Button::Ok);
    BitBtn2Click(session, host, burner);
    // The window's next divide, onto a stick, is no longer planned for discs.
    EXPECT_EQ(session.DiskMedium, MediumKind::Folder);

    ASSERT_FALSE(host.dialogs.empty());
    EXPECT_EQ(host.dialogs.back().text.rfind(msg::kCopyFinished, 0), 0u)
        << host.dialogs.back().text;
    const int dataDiscs = session.values.DiskCount;
    ASSERT_GE(dataDiscs, 3);
    EXPECT_EQ(host.dialogs.front().text, Formatted(msg::kPrepareDisksWithRecovery, dataDiscs, 1));
    // Every disc, the recovery disc too, was held to the blank disc's size.
    EXPECT_EQ(burner.limits, std::vector<std::int64_t>(dataDiscs + 1, kBlocks));
    std::vector<std::string> from;
    for (int n = 1; n <= dataDiscs + 1; ++n) {
        const std::string image = ImageFilePath(DriveForDisc(host.fields.destination, n));
        ASSERT_TRUE(stdfs::exists(image)) << n;
        EXPECT_LE(static_cast<std::int64_t>(stdfs::file_size(image)), kBlocks * kDiscBlockBytes);
        const std::string folder = root / ("rr/disc" + std::to_string(n));
        ASSERT_TRUE(Extract(image, folder, false)) << image;
        // Data disc 2 is lost: the recovery disc makes its files again.
        if (n != 2) {
            from.push_back("--from");
            from.push_back(folder + "/@dummy@");
        }
    }
    EXPECT_FALSE(
        stdfs::exists(ImageFilePath(DriveForDisc(host.fields.destination, dataDiscs + 2))));
    // The disks staged in the cache are gone with their folder.
    EXPECT_TRUE(stdfs::is_empty(root / "cache/arbolink"));

    std::vector<std::string> restore{"restore"};
    restore.insert(restore.end(), from.begin(), from.end());
    restore.insert(restore.end(), {root / "restored", "--yes"});
    const CliResult restored = RunCliWith(restore);
    ASSERT_EQ(restored.code, 0) << restored.err;
    EXPECT_EQ(
        test::Differences(test::SnapshotOf(root / "src"), test::SnapshotOf(root / "restored")),
        std::vector<std::string>{});
}

// The plan of the source on discs of capacity blocks, as the divide makes it.
PlanningValues PlanOnDiscs(const std::string& source, std::int64_t capacity) {
    test::ScriptedHost host;
    PlanningValues values;
    PlanRequest request;
    request.source = source;
    request.destination = source + "-disc";
    request.destinationIsDriveRoot = true;
    request.clusterSize = static_cast<std::int32_t>(kDiscBlockBytes);
    request.capacity = capacity;
    request.medium = MediumKind::DiscImage;
    EXPECT_EQ(RunPlanning(values, host, request), PlanOutcome::Complete);
    return values;
}

// Blocks disc n of the plan may take: what the plan gives its files and set files, the
// folder "@dummy@", the index's room and the image's own blocks.
std::int64_t PlannedDisc(const PlanningValues& values, std::size_t n) {
    return std::stoll(values.DiskUsage.at(n)) + 1 + values.IndexReserve + kDiscImageOwnBlocks;
}

TEST_F(BurnDiscTest, DiscFilledToThePlannedCapacityDoesNotOverflow) {
    // Many long names make the directories large, beside files of whole blocks and odd sizes.
    for (int i = 0; i < 400; ++i) {
        const std::string name = std::to_string(i) + "-" + std::string(90, 'x') + "-名前";
        root.WriteFile("src/many/" + name, Contents(static_cast<std::size_t>(i % 7 * 1000), i));
    }
    root.WriteFile("src/big.bin", Contents(3'000'000, 9));
    root.WriteFile("src/block.bin", Contents(2048 * 200, 10));
    // The capacity that disc 1 fills to the block as planned: each smaller capacity that the
    // plan of disc 1 takes whole is tried until one is.
    std::int64_t capacity = 2000;
    PlanningValues values = PlanOnDiscs(root / "src", capacity);
    for (int i = 0; i < 20 && PlannedDisc(values, 0) != capacity; ++i) {
        capacity = PlannedDisc(values, 0);
        values = PlanOnDiscs(root / "src", capacity);
    }
    ASSERT_EQ(PlannedDisc(values, 0), capacity);
    ASSERT_GE(values.DiskCount, 2);

    const CliResult divide = RunCliWith(
        {"divide", root / "src", "--burn", "stdio:" + root / "set.iso", "--capacity",
         std::to_string(capacity * kDiscBlockBytes), "--disk-folders", root / "stage", "--yes"});
    ASSERT_EQ(divide.code, 0) << divide.err;
    for (int n = 1; n <= values.DiskCount; ++n) {
        const auto image = root / ("set-0" + std::to_string(n) + ".iso");
        ASSERT_TRUE(stdfs::exists(image)) << n;
        const auto blocks = static_cast<std::int64_t>(stdfs::file_size(image)) / kDiscBlockBytes;
        EXPECT_LE(blocks, PlannedDisc(values, static_cast<std::size_t>(n - 1))) << n;
        EXPECT_LE(blocks, capacity) << n;
        // How much of its room the estimate of the directories left unused.
        RecordProperty(
            "unused_blocks_" + std::to_string(n),
            std::to_string(PlannedDisc(values, static_cast<std::size_t>(n - 1)) - blocks));
    }
    EXPECT_FALSE(stdfs::exists(root / ("set-0" + std::to_string(values.DiskCount + 1) + ".iso")));
    // --disk-folders keeps the staged disks beside the images.
    EXPECT_TRUE(stdfs::exists(root / "stage/disk01/@dummy@/_Disk.@ID"));
}

// Files larger than the limit cannot be written in this process while it lives: the image
// file breaks off with EFBIG at that size, as a drive that fails in the middle of a disc.
// SIGXFSZ stays ignored afterwards: libburn's write thread, which blocks signals, may take
// its pending one after the limit is gone.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, before_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &before_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit before_{};
};

TEST_F(BurnDiscTest, WriteThatFailsMidwayIsToldEveryTimeAndNeverEndsAsSuccess) {
    root.WriteFile("src/a.bin", Contents(700'000, 1));
    root.WriteFile("src/b.bin", Contents(700'000, 2));
    stdfs::create_directories(root / "out");
    test::ScopedVariable cache("XDG_CACHE_HOME", (root / "cache").c_str());
    CliResult divide;
    {
        // The staged files stay below the limit; the image of both does not.
        const FileSizeLimit limit(1'000'000);
        divide = RunCliWith({"divide", root / "src", "--burn", "stdio:" + root / "out/set.iso",
                             "--capacity", "4M", "--yes"},
                            "R\nA\n");
    }
    EXPECT_NE(divide.code, 0);
    const std::string drive = "stdio:" + root / "out/set-01.iso";
    const std::string told = drive + " への書き込みに失敗しました。このディスクは使えません。";
    // Retry writes the disc again from its start (the broken image was removed), and fails
    // again; Abort ends the divide.
    const std::size_t first = divide.err.find(told);
    ASSERT_NE(first, std::string::npos) << divide.err;
    EXPECT_NE(divide.err.find(told, first + 1), std::string::npos) << divide.err;
    EXPECT_NE(divide.err.find(std::strerror(EFBIG)), std::string::npos) << divide.err;
    EXPECT_EQ(divide.err.find("のディスクが入っていません"), std::string::npos) << divide.err;
    EXPECT_EQ(divide.err.find(msg::kCopyFinished), std::string::npos) << divide.err;
    EXPECT_FALSE(stdfs::exists(root / "out/set-01.iso"));
    EXPECT_FALSE(stdfs::exists(root / "out/set-02.iso"));
}

} // namespace
} // namespace arbolink
