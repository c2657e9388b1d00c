// SPDX-License-Identifier: GPL-3.0-or-later
// arbolink-cli restore end to end, and a set staged from the command line restored through
// the restore command the GUI runs.
#include "CliRestoreFixture.h"
#include "CliRun.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/rFile/RestoreCommand.h"
#include "core/rFile/RestoreMessages.h"
#include "fs/Drives.h"
#include "fs/Utf8Path.h"
#include "support/DiskSetFixture.h"
#include "support/PhraseLead.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::CliRestoreTest;
using test::CliResult;
using test::DiskSetFixture;
using test::kSwap1;
using test::kSwap2;
using test::RunCliWith;
using test::ScriptedHost;
using test::TreeOf;

TEST_F(CliRestoreTest, PassesOverAForeignFolderAndADiskGivenTwice) {
    ASSERT_EQ(Stage("stage"), 0);
    ASSERT_TRUE(stdfs::exists(Disk("stage", 3)));
    ASSERT_EQ(Stage("other"), 0);
    // Another set: its identity differs, as a divide begun at another time would.
    for (int n = 1; n <= 3; ++n) {
        root().WriteFile("other/disk0" + std::to_string(n) + "/" + kDummyFolderName + "/" +
                             kIdentityFileName,
                         IdentityLine("1999/01/01 0:00:00", n, 3));
    }
    root().MakeFolder("out");
    CliResult run = RunCliWith(From({Disk("stage", 2), Disk("other", 1), Disk("stage", 2),
                                     Disk("stage", 3), Disk("stage", 1)}));
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.err.find(msg::kFolderOfOtherSet + Disk("other", 1)), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(msg::kFolderRestoredAlready + Disk("stage", 2)), std::string::npos);
    EXPECT_EQ(TreeOf(root() / "out"), TreeOf(root() / "src"));
}

TEST_F(CliRestoreTest, AMissingDiskIsReportedByTheFilesItHeld) {
    ASSERT_EQ(Stage("stage"), 0);
    root().MakeFolder("out");
    CliResult run = RunCliWith(From({Disk("stage", 3), Disk("stage", 1)}));
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find(test::Lead(msg::kNotFoundFiles)), std::string::npos) << run.err;
    EXPECT_LT(TreeOf(root() / "out").size(), TreeOf(root() / "src").size());
}

TEST_F(CliRestoreTest, FolderProblemsAreToldBeforeAnythingIsWritten) {
    ASSERT_EQ(Stage("stage"), 0);
    CliResult missing = RunCliWith(From({Disk("stage", 1), root() / "nowhere"}));
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find(root() / "nowhere"), std::string::npos);
    EXPECT_FALSE(stdfs::exists(root() / "out"));

    // A destination that holds a disk would be emptied or written over before it is read.
    CliResult inside = RunCliWith(
        {"restore", "--from", Disk("stage", 1), root() / "stage", "--yes", "--empty-destination"});
    EXPECT_EQ(inside.code, 1);
    EXPECT_NE(inside.err.find(Disk("stage", 1)), std::string::npos) << inside.err;
    EXPECT_TRUE(stdfs::exists(Disk("stage", 1) + "/" + kDummyFolderName + "/" + kIdentityFileName));
}

TEST_F(CliRestoreTest, YesRefusesToWriteOverAFilledDestinationUnlessAllowed) {
    ASSERT_EQ(Stage("stage"), 0);
    // Asked about on every kind of drive the temporary folder may lie on.
    root().WriteFile("out/old.txt", "old");
    std::vector<std::string> args = From({Disk("stage", 1), Disk("stage", 2), Disk("stage", 3)});
    args.push_back("--yes");
    CliResult refused = RunCliWith(args);
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("--empty-destination"), std::string::npos) << refused.err;
    EXPECT_EQ(TreeOf(root() / "out").size(), 1u);

    // The user may agree where --yes may not.
    std::vector<std::string> typed = args;
    typed.pop_back();
    CliResult agreed = RunCliWith(typed, "y\n");
    EXPECT_EQ(agreed.code, 0) << agreed.err;

    args.push_back("--empty-destination");
    CliResult allowed = RunCliWith(args);
    EXPECT_EQ(allowed.code, 0) << allowed.err;
    EXPECT_TRUE(TreeOf(root() / "src").size() < TreeOf(root() / "out").size());
}

TEST_F(CliRestoreTest, InfoTellsWhatADiskHolds) {
    ASSERT_EQ(Stage("stage"), 0);
    CliResult info = RunCliWith({"info", Disk("stage", 2)});
    EXPECT_EQ(info.code, 0) << info.err;
    const std::string identity =
        root().ReadFile("stage/disk02/" + std::string(kDummyFolderName) + "/" + kIdentityFileName);
    const std::string setId = identity.substr(1, identity.find('"', 1) - 1);
    EXPECT_EQ(info.out, "set\t" + setId +
                            "\n"
                            "disk\t2/3\n"
                            "files-on-disk\t2\n"
                            "files-in-set\t6\n"
                            "checksums\tyes\n"
                            "map-disks\t3\n"
                            "map-files\t6\n"
                            "map-size\t77007\n"
                            "sound\tyes\n");

    // An identity that does not follow the format, and a disk number beyond the set.
    root().WriteFile("bad/" + std::string(kIdentityFileName), "\"x\",two,3\r\n");
    root().WriteFile("bad/" + std::string(kIndexFileName), IndexLine("", "a", "a"));
    CliResult bad = RunCliWith({"info", root() / "bad"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.out.ends_with("sound\tno\n")) << bad.out;
    EXPECT_NE(bad.err.find(kIdentityFileName), std::string::npos) << bad.err;

    root().WriteFile("far/" + std::string(kIdentityFileName), IdentityLine("x", 4, 3));
    root().WriteFile("far/" + std::string(kIndexFileName),
                     IndexLine("..\\", "a", "a") + IndexLine("", "b", "a"));
    CliResult far = RunCliWith({"info", root() / "far"});
    EXPECT_EQ(far.code, 1);
    EXPECT_EQ(far.out, "files-on-disk\t0\nfiles-in-set\t2\nchecksums\tno\nsound\tno\n");
    // The number, the row leading out of the restore folder and the stored name twice.
    EXPECT_EQ(std::count(far.err.begin(), far.err.end(), '\n'), 3) << far.err;

    // Stored files that no longer match the index: a file it does not name (a half-written
    // one) and a folder under a stored name.
    stdfs::copy(PathOf(Disk("stage", 2)), PathOf(root() / "strayed"),
                stdfs::copy_options::recursive);
    const std::string strayed = root() / ("strayed/" + std::string(kDummyFolderName) + "/");
    root().WriteFile("strayed/" + std::string(kDummyFolderName) + "/half.tmp~", "half");
    std::string stored;
    for (const auto& entry : stdfs::directory_iterator(PathOf(strayed))) {
        const std::string name = Utf8Of(entry.path().filename());
        if (!IsSetFileName(name) && name != "half.tmp~") {
            stored = name;
        }
    }
    ASSERT_FALSE(stored.empty());
    stdfs::remove(PathOf(strayed + stored));
    stdfs::create_directory(PathOf(strayed + stored));
    CliResult unsound = RunCliWith({"info", root() / "strayed"});
    EXPECT_EQ(unsound.code, 1);
    EXPECT_TRUE(unsound.out.ends_with("files-on-disk\t1\nfiles-in-set\t6\nchecksums\tyes\n"
                                      "map-disks\t3\nmap-files\t6\nmap-size\t77007\nsound\tno\n"))
        << unsound.out;
    EXPECT_NE(unsound.err.find(strayed + "half.tmp~"), std::string::npos) << unsound.err;
    EXPECT_NE(unsound.err.find(strayed + stored), std::string::npos) << unsound.err;

    CliResult none = RunCliWith({"info", root() / "src"});
    EXPECT_EQ(none.code, 1);
    EXPECT_TRUE(none.out.empty());
}

// Inserts at every question of the run the next disk of the list into the fixture's drive:
// the staged disk's set folder, as it lies on a medium.
void InsertStagedAtQuestions(DiskSetFixture& set, ScriptedHost& host,
                             std::vector<std::string> disks) {
    host.onDialog = [&set, disks = std::move(disks),
                     next = std::size_t{0}](const test::DialogRecord& dialog) mutable {
        if (dialog.buttons.size() > 1 && next < disks.size()) {
            set.Insert(disks[next++] + "/" + kDummyFolderName);
        }
    };
}

TEST_F(CliRestoreTest, AStagedSetRestoresThroughTheRestoreCommand) {
    ASSERT_EQ(Stage("stage"), 0);
    root().MakeFolder("out");
    ScriptedHost host;
    set.UseFields(host);
    set.Insert("stage/disk02/" + std::string(kDummyFolderName));
    InsertStagedAtQuestions(set, host, {"stage/disk03", "stage/disk01"});
    host.Answer(Button::Yes, kSwap2);
    host.Answer(Button::Yes, kSwap1);
    Session session;
    BitBtn3Click(session, host);
    EXPECT_EQ(host.DialogTexts().back(), msg::kRestoreFinished);
    EXPECT_EQ(host.UnusedAnswers(), 0u);
    EXPECT_EQ(TreeOf(root() / "out"), TreeOf(root() / "src"));
}

} // namespace
} // namespace arbolink
