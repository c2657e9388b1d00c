// SPDX-License-Identifier: GPL-3.0-or-later
// arbolink-cli divide end to end on temporary folders, answers fed on standard input, and a
// set the split command of the GUI writes restored from the command line.
#include "CliMessages.h"
#include "CliRun.h"
#include "core/Formatted.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/SplitCommand.h"
#include "core/rFile/CheckMessages.h"
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/SetReader.h"
#include "core/wFile/WriteMessages.h"
#include "fs/Drives.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::CliResult;
using test::Contents;
using test::RunCliWith;
using test::ScriptedHost;
using test::TempFolder;
using test::TreeOf;

constexpr std::int64_t kCluster = 512;

// Six files of 37 clusters, two to a disk of 41 984 bytes (82 clusters: one for "@dummy@",
// the index reserved twice, one for the identity, two for the set map and one for the
// checksum list), and small ones beside them that fill the last disk to the cluster: three
// disks.
void WriteSource(const TempFolder& root) {
    root.WriteFile("src/top.bin", Contents(18'500, 1));
    root.WriteFile("src/docs/a.txt", "a");
    root.WriteFile("src/docs/A.txt", "");
    root.WriteFile("src/写真/2026/表.jpg", Contents(18'500, 2));
    root.WriteFile("src/写真/2026/empty", "");
    for (unsigned i = 1; i <= 4; ++i) {
        root.WriteFile("src/music/track " + std::to_string(i) + ".ogg", Contents(18'500, 10 + i));
    }
}

std::vector<std::string> StagingDivide(const TempFolder& root) {
    return {"divide", root / "src",     "--disk-folders",         root / "stage", "--capacity",
            "41984",  "--cluster-size", std::to_string(kCluster), "--yes"};
}

std::string Disk(const TempFolder& root, int n) {
    return root / ("stage/disk0" + std::to_string(n));
}

class CliDivideTest : public ::testing::Test {
protected:
    CliDivideTest() { WriteSource(root); }

    TempFolder root;
};

TEST_F(CliDivideTest, StagedDisksAreCompleteAndRestoreFromShuffledFolders) {
    CliResult divide = RunCliWith(StagingDivide(root));
    ASSERT_EQ(divide.code, 0) << divide.err;
    EXPECT_TRUE(divide.out.empty());
    EXPECT_NE(divide.err.find(msg::kCopyFinished), std::string::npos);
    EXPECT_FALSE(stdfs::exists(Disk(root, 4)));

    std::string setId;
    for (int n = 1; n <= 3; ++n) {
        const std::string folder = Disk(root, n) + "/" + kDummyFolderName + "/";
        test::ScriptedHost silent;
        std::optional<DiskIdentity> identity = ReadIdentity(folder, silent);
        ASSERT_TRUE(identity) << folder;
        EXPECT_EQ(identity->disk, n);
        EXPECT_EQ(identity->diskCount, 3);
        setId = n == 1 ? identity->setId : setId;
        EXPECT_EQ(identity->setId, setId);
        // The disk holds its set folder and nothing else.
        for (const auto& [path, contents] : TreeOf(Disk(root, n))) {
            EXPECT_TRUE(path.starts_with(kDummyFolderName)) << path;
        }
    }

    root.MakeFolder("out");
    CliResult restore = RunCliWith({"restore", "--from", Disk(root, 3), "--from", Disk(root, 1),
                                    "--from", Disk(root, 2), root / "out"});
    ASSERT_EQ(restore.code, 0) << restore.err;
    EXPECT_EQ(TreeOf(root / "out"), TreeOf(root / "src"));
    // No question was asked: no choices were offered.
    EXPECT_EQ(restore.err.find("] 中止"), std::string::npos) << restore.err;
    EXPECT_EQ(restore.err.find("[O] OK"), std::string::npos) << restore.err;
}

TEST_F(CliDivideTest, NoStagedDiskHoldsMoreThanItsCapacity) {
    // Two clusters more than the last of three disks has room for: a fourth disk.
    root.WriteFile("src/docs/two.txt", std::string(600, 't'));
    ASSERT_EQ(RunCliWith(StagingDivide(root)).code, 0);
    ASSERT_TRUE(stdfs::exists(Disk(root, 4)));
    for (int n = 1; n <= 3; ++n) {
        std::int64_t clusters = 1; // the "@dummy@" folder
        for (const auto& entry : stdfs::recursive_directory_iterator(Disk(root, n))) {
            if (entry.is_regular_file()) {
                const auto bytes = static_cast<std::int64_t>(entry.file_size());
                clusters += (bytes + kCluster - 1) / kCluster;
            }
        }
        EXPECT_LE(clusters * kCluster, 41'984) << "disk " << n;
        EXPECT_GT(clusters, 75) << "disk " << n;
    }
}

TEST_F(CliDivideTest, ProgressIsPlainLinesWhenStandardErrorIsNoTerminal) {
    CliResult divide = RunCliWith(StagingDivide(root));
    ASSERT_EQ(divide.code, 0) << divide.err;
    // Each disk is copied and then read back: the run's last bytes are read, not written.
    for (const std::string line :
         {"準備中．．． 0%\n", "ファイルをチェック中 0%\n", "ファイルの分割中 100%\n",
          "複写中．．． 0%\n", "検査中．．． 100%\n"}) {
        EXPECT_NE(divide.err.find(line), std::string::npos) << line << divide.err;
    }
    EXPECT_EQ(divide.err.find('\r'), std::string::npos);
    EXPECT_EQ(divide.err.find('\033'), std::string::npos);
}

// The percentages of the plain progress lines of one caption, in order.
std::vector<int> PercentLines(const std::string& err, const std::string& caption) {
    std::vector<int> percents;
    std::istringstream lines(err);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(caption + " ")) {
            percents.push_back(std::atoi(line.c_str() + caption.size() + 1));
        }
    }
    return percents;
}

// How many of the percentages lie strictly between low and high.
long Between(const std::vector<int>& percents, int low, int high) {
    return std::count_if(percents.begin(), percents.end(),
                         [&](int percent) { return percent > low && percent < high; });
}

// A set of one 40 MiB file and a small one: the plain progress lines of the divide, the
// restore and the verify step through the tenths while the large file is copied and read,
// instead of waiting for it at 0.
TEST_F(CliDivideTest, ProgressLinesFollowTheBytesOfALargeFile) {
    root.WriteFile("big/large.bin", Contents(std::size_t{40} << 20, 7));
    root.WriteFile("big/small.txt", "small");
    CliResult divide =
        RunCliWith({"divide", root / "big", "--disk-folders", root / "bigstage", "--capacity",
                    "50000000", "--cluster-size", std::to_string(kCluster), "--yes"});
    ASSERT_EQ(divide.code, 0) << divide.err;
    // Written, then read back: writing the large file is the first half of the way.
    const std::vector<int> writing = PercentLines(divide.err, msg::kCopyingCaption);
    EXPECT_GE(Between(writing, 0, 50), 3) << divide.err;
    const std::vector<int> reading = PercentLines(divide.err, msg::kVerifyingCaption);
    EXPECT_GE(Between(reading, 50, 100), 3) << divide.err;
    ASSERT_FALSE(reading.empty());
    EXPECT_EQ(reading.back(), 100);

    const std::string disk = root / "bigstage/disk01";
    root.MakeFolder("bigout");
    CliResult restore = RunCliWith({"restore", "--from", disk, root / "bigout"});
    ASSERT_EQ(restore.code, 0) << restore.err;
    const std::vector<int> restoring = PercentLines(restore.err, msg::kRestoreCaption);
    EXPECT_GE(Between(restoring, 0, 100), 3) << restore.err;
    ASSERT_FALSE(restoring.empty());
    EXPECT_EQ(restoring.back(), 100);

    CliResult verify = RunCliWith({"verify", "--from", disk});
    ASSERT_EQ(verify.code, 0) << verify.err;
    const std::vector<int> checking = PercentLines(verify.err, msg::kCheckCaption);
    EXPECT_GE(Between(checking, 0, 100), 3) << verify.err;
    ASSERT_FALSE(checking.empty());
    EXPECT_EQ(checking.back(), 100);
}

TEST_F(CliDivideTest, AnswersAreReadFromStandardInput) {
    std::vector<std::string> args = StagingDivide(root);
    args.pop_back(); // no --yes
    // An answer that is no choice asks again; Y creates the staging folder; C cancels the
    // disk count, the user's own choice.
    CliResult cancelled = RunCliWith(args, "x\ny\nc\n");
    EXPECT_EQ(cancelled.code, 3) << cancelled.err;
    EXPECT_NE(cancelled.err.find("[Y] はい / [N] いいえ: [Y] はい / [N] いいえ: はい\n"),
              std::string::npos)
        << cancelled.err;
    EXPECT_NE(cancelled.err.find("ディスクを 3 枚、用意してください\n[O] OK / [C] キャンセル: "
                                 "キャンセル\n"),
              std::string::npos)
        << cancelled.err;
    EXPECT_TRUE(stdfs::is_directory(root / "stage"));
    EXPECT_FALSE(stdfs::exists(Disk(root, 1)));

    CliResult written = RunCliWith(args, "o\n");
    EXPECT_EQ(written.code, 0) << written.err;
    EXPECT_TRUE(stdfs::exists(Disk(root, 3)));

    // With no answer left the tool changes nothing, and says so.
    CliResult unanswered = RunCliWith(args, "");
    EXPECT_EQ(unanswered.code, 1);
    EXPECT_NE(unanswered.err.find("（標準入力に答えがありません）"), std::string::npos);
}

TEST_F(CliDivideTest, YesRefusesToEmptyAStagingFolderUnlessAllowed) {
    root.WriteFile("stage/keep.txt", "mine");
    CliResult refused = RunCliWith(StagingDivide(root));
    EXPECT_EQ(refused.code, 1) << refused.err;
    EXPECT_NE(refused.err.find(msg::kEmptyRemovable), std::string::npos);
    EXPECT_NE(refused.err.find("--empty-destination"), std::string::npos);
    EXPECT_EQ(root.ReadFile("stage/keep.txt"), "mine");
    EXPECT_FALSE(stdfs::exists(Disk(root, 1)));

    // Typed by the user instead, No keeps the file and goes on.
    std::vector<std::string> asked = StagingDivide(root);
    asked.pop_back();
    CliResult kept = RunCliWith(asked, "n\no\n");
    EXPECT_EQ(kept.code, 0) << kept.err;
    EXPECT_EQ(root.ReadFile("stage/keep.txt"), "mine");

    std::vector<std::string> allowed = StagingDivide(root);
    allowed.push_back("--empty-destination");
    CliResult emptied = RunCliWith(allowed);
    EXPECT_EQ(emptied.code, 0) << emptied.err;
    EXPECT_NE(emptied.err.find(msg::kDeleted), std::string::npos);
    EXPECT_FALSE(stdfs::exists(root / "stage/keep.txt"));
    EXPECT_TRUE(stdfs::exists(Disk(root, 3)));
}

TEST_F(CliDivideTest, AStagingFolderInsideTheSourceIsNeverEmptied) {
    root.WriteFile("src/stage/old.txt", "old");
    std::vector<std::string> args = StagingDivide(root);
    args[3] = root / "src/stage";
    args.push_back("--empty-destination");
    CliResult refused = RunCliWith(args);
    EXPECT_EQ(refused.code, 1);
    // Refused before anything else is asked or looked at.
    EXPECT_NE(refused.err.find(msg::kDestinationInSource), std::string::npos) << refused.err;
    EXPECT_EQ(root.ReadFile("src/stage/old.txt"), "old");
}

TEST_F(CliDivideTest, OntoADriveWithYes) {
    root.MakeFolder("drive");
    // The drive has room for everything: one disk, asked for and found in the drive.
    CliResult divide = RunCliWith({"divide", root / "src", root / "drive", "--yes"});
    ASSERT_EQ(divide.code, 0) << divide.err;
    EXPECT_NE(divide.err.find(Formatted(msg::kInsertDisk, 1) + "\n[O] OK / [A] 中止: OK（--yes）"),
              std::string::npos)
        << divide.err;
    EXPECT_TRUE(stdfs::exists(root / ("drive/" + std::string(kIdentityFileName))));

    CliResult restore = RunCliWith({"restore", root / "drive", root / "out", "--yes"});
    ASSERT_EQ(restore.code, 0) << restore.err;
    EXPECT_EQ(TreeOf(root / "out"), TreeOf(root / "src"));
}

TEST_F(CliDivideTest, YesRefusesToGoOnIntoAHardDiskFolderThatHoldsFiles) {
    root.WriteFile("drive/old.txt", "old");
    if (GetDriveKind(root / "drive") != "HDD") {
        GTEST_SKIP() << "the temporary folder is not on a hard disk, so nothing is asked";
    }
    CliResult refused = RunCliWith({"divide", root / "src", root / "drive", "--yes"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find(msg::kHardDiskHasEntries), std::string::npos);
    EXPECT_FALSE(stdfs::exists(root / ("drive/" + std::string(kIdentityFileName))));
}

TEST_F(CliDivideTest, ASetTheSplitCommandWritesRestoresFromFolders) {
    // The planning run the Divide button starts, disks of 78 clusters swapped in one drive:
    // each disk written is put aside as a folder of its own. The set files lie in those
    // folders themselves.
    root.MakeFolder("drive");
    ScriptedHost host;
    host.fields.source = root / "src";
    host.fields.destination = root / "drive";
    int written = 0;
    host.onDialog = [&](const test::DialogRecord& dialog) {
        if (IsFilledIn(msg::kInsertDisk, dialog.text) && !dialog.text.starts_with("1 ")) {
            stdfs::rename(root / "drive", root / ("gui" + std::to_string(++written)));
            root.MakeFolder("drive");
        }
    };
    host.Answer(Button::Ok, Formatted(msg::kPrepareDisks, 3));
    for (int n = 1; n <= 3; ++n) {
        host.Answer(Button::Ok, Formatted(msg::kInsertDisk, n));
    }
    Session session;
    RunDivide(session, host, host.fields, 512, 82, false);
    ASSERT_EQ(host.UnusedAnswers(), 0u);
    stdfs::rename(root / "drive", root / "gui3");

    root.MakeFolder("out");
    CliResult run = RunCliWith({"restore", "--from", root / "gui2", "--from", root / "gui3",
                                "--from", root / "gui1", root / "out"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(TreeOf(root / "out"), TreeOf(root / "src"));
}

TEST_F(CliDivideTest, ThePlannerWritesOnlyItsPlan) {
    CliResult plan =
        RunCliWith({"plan", root / "src", "--cluster-size", "512", "--free-bytes", "1000000"});
    EXPECT_EQ(plan.code, 0);
    EXPECT_TRUE(plan.err.empty()) << plan.err;
    EXPECT_NE(plan.out.find("\ndisks\t1\n"), std::string::npos) << plan.out;
}

TEST(CliUsage, EveryCommandReadsOptionsAlike) {
    TempFolder root;
    root.WriteFile("src/a.txt", "a");
    // An unknown letter is an error, never the name of a folder to write a set into.
    CliResult unknown = RunCliWith({"divide", root / "src", "-q", root / "dest"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.err, "arbolink-cli: 「-q」というオプションはありません（arbolink-cli "
                           "divide --help を参照）\n");
    CliResult twice = RunCliWith({"divide", root / "src", "-y", "--yes"});
    EXPECT_EQ(twice.code, 2) << twice.err;
    EXPECT_EQ(TreeOf(root.path()).size(), 2u); // src and src/a.txt, nothing more
    // "=value" and the letter of --yes.
    CliResult staged = RunCliWith(
        {"divide", root / "src", "--disk-folders=" + root / "stage", "--capacity=1M", "-y"});
    EXPECT_EQ(staged.code, 0) << staged.err;
    EXPECT_TRUE(stdfs::exists(root / "stage/disk01/@dummy@/a.txt"));
    CliResult info = RunCliWith({"info", "--json", "--", root / "stage/disk01"});
    EXPECT_EQ(info.code, 0) << info.err;
    EXPECT_TRUE(info.out.starts_with("{\"set\": \"")) << info.out;
    EXPECT_TRUE(info.out.ends_with(
        "\", \"disk\": 1, \"disks\": 1, \"files-on-disk\": 1, \"files-in-set\": 1, "
        "\"checksums\": true, \"map-disks\": 1, \"map-files\": 1, \"map-size\": 1, "
        "\"sound\": true}\n"))
        << info.out;
}

TEST(CliUsage, BadUsageExitsTwoWithOneLine) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frob"},
        {"divide"},
        {"divide", "a"},
        {"divide", "a", "b", "c"},
        {"divide", "a", "b", "--bogus"},
        {"divide", "a", "b", "--yes=1"},
        {"divide", "a", "b", "--percent"},
        {"divide", "a", "b", "--percent", "101"},
        {"divide", "a", "b", "--percent", "x"},
        {"divide", "a", "b", "--capacity", "1G"},
        {"divide", "a", "b", "--cluster-size", "512"},
        {"divide", "a", "--disk-folders", "d"},
        {"divide", "a", "b", "--disk-folders", "d", "--capacity", "1G"},
        {"divide", "a", "--disk-folders", "d", "--capacity", "4.7X"},
        {"divide", "a", "--disk-folders", "d", "--capacity", "0"},
        {"divide", "a", "--disk-folders", "d", "--capacity", "1K", "--cluster-size", "2048"},
        {"divide", "a", "--disk-folders", "d", "--capacity", "1G", "--cluster-size", "0"},
        {"divide", "a", "--disk-folders", "d", "--capacity", "2T", "--cluster-size", "512"},
        {"divide", "a", "--disk-folders", "d", "--capacity", "1G", "--cluster-size", "511"},
        {"divide", "a", "--disk-folders", "d", "--capacity", "1G", "--percent", "50"},
        {"divide", "a", "--disk-folders", "d", "--disk-folders", "e", "--capacity", "1G"},
        {"restore"},
        {"restore", "a"},
        {"restore", "a", "b", "c"},
        {"restore", "--from"},
        {"restore", "--from", "x", "a", "b"},
        {"restore", "a", "b", "--percent", "5"},
        {"info"},
        {"info", "a", "b"},
        {"info", "a", "--yes"},
        {"verify"},
        {"verify", "a", "b"},
        {"verify", "--from", "a", "b"},
        {"verify", "a", "--yes"},
        {"plan"},
    };
    for (const std::vector<std::string>& args : bad) {
        CliResult run = RunCliWith(args);
        const std::string shown = args.empty() ? "(nothing)" : args.front();
        EXPECT_EQ(run.code, 2) << shown << run.err;
        EXPECT_TRUE(run.out.empty()) << shown;
        ASSERT_FALSE(run.err.empty()) << shown;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << shown << run.err;
        EXPECT_TRUE(run.err.starts_with(cli::msg::kUsagePrefix)) << run.err;
        EXPECT_NE(run.err.find("--help を参照"), std::string::npos) << run.err;
    }
}

TEST(CliUsage, EveryCommandHasHelpAndTheToolAVersion) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--help"},
                                               {"divide", "--help"},
                                               {"divide", "a", "--help", "--bogus"},
                                               {"restore", "--help"},
                                               {"info", "--help"},
                                               {"plan", "--help"}}) {
        CliResult run = RunCliWith(args);
        EXPECT_EQ(run.code, 0) << args.front();
        EXPECT_TRUE(run.out.starts_with("使い方: arbolink-cli")) << run.out;
        EXPECT_TRUE(run.err.empty());
    }
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--version"},
                                               {"-V"},
                                               {"plan", "a", "--json", "-V", "--bogus"},
                                               {"info", "-V", "-h"}}) {
        CliResult version = RunCliWith(args);
        EXPECT_EQ(version.code, 0) << args.front();
        EXPECT_TRUE(version.out.starts_with("arbolink-cli (Arbolink) ")) << version.out;
        EXPECT_NE(version.out.find("\nCopyright (C) 2026 The Arbolink developers\n"
                                   "ライセンス GPL-3.0-or-later"),
                  std::string::npos)
            << version.out;
    }
}

} // namespace
} // namespace arbolink
