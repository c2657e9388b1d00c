// SPDX-License-Identifier: GPL-3.0-or-later
// Restores onto a FAT file system mounted through FUSE, which does not tell letter case apart:
// names that meet there come back under free names that the closing message gives, nothing is
// written over, and the command-line tool ends with status 1. Skipped where FUSE or the FAT
// tools are not available.
#include "CliRun.h"
#include "core/Formatted.h"
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/RestoreRun.h"
#include "fs/Folders.h"
#include "support/CaseClashSet.h"
#include "support/FatImage_posix.h"
#include "support/PhraseLead.h"

#include <gtest/gtest.h>

namespace arbolink {
namespace {

using test::CaseClashFiles;
using test::DiskSetFixture;
using test::ExpectEveryFileBack;
using test::ScriptedHost;

class CaseFoldingRestoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        set.root.MakeFolder("fat");
        if (!fat.Mount(8)) {
            GTEST_SKIP() << fat.error();
        }
        ASSERT_EQ(ProbeLetterCase(Fat()), LetterCase::Folded);
        set.WriteSet("2026/12/09 10:00:00", files, 1);
    }

    std::string Fat() const { return set.root / "fat"; }

    // fusefat refuses every name outside ASCII, so the Unicode forms are left out here.
    const std::vector<test::SetFile> files = CaseClashFiles(false);

    DiskSetFixture set;
    test::FatImage fat{set.root / "fat.img", set.root / "fat"};
};

TEST_F(CaseFoldingRestoreTest, TheRestoreRunGivesNamesThatMeetFreeOnesAndNamesThem) {
    ScriptedHost host;
    Session session;
    host.fields.destination = set.root / "drive";
    host.fields.restoreTo = Fat() + "/out";
    set.root.MakeFolder("fat/out");
    set.Insert(1);
    RestoreDisks(session, host);
    ASSERT_FALSE(host.dialogs.empty());
    EXPECT_EQ(host.dialogs.back().kind, DialogKind::Warning);
    EXPECT_GE(ExpectEveryFileBack(Fat() + "/out", host.dialogs.back().text, files), 2u);

    // Into a folder that held a.txt and the user chose to keep: that file is replaced by
    // one of the two that meet at its name, never both.
    ScriptedHost again;
    again.fields = host.fields;
    again.fields.restoreTo = Fat() + "/kept";
    set.root.WriteFile("fat/kept/a.txt", "there before");
    RestoreDisks(session, again);
    ASSERT_FALSE(again.dialogs.empty());
    EXPECT_GE(ExpectEveryFileBack(Fat() + "/kept", again.dialogs.back().text, files), 2u);
}

TEST_F(CaseFoldingRestoreTest, TheToolListsTheRenamedFilesAndEndsWithStatusOne) {
    const std::string out = Fat() + "/out";
    set.root.MakeFolder("fat/out");
    test::CliResult info = test::RunCliWith({"info", set.root / "disk1", "--restore-to", Fat()});
    EXPECT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.err.find(test::Lead(msg::kCaseClashes)), std::string::npos) << info.err;
    EXPECT_NE(info.err.find("\n" + Formatted(msg::kCaseClashAnd, "A.txt", "a.txt") + "\n"),
              std::string::npos)
        << info.err;
    EXPECT_NE(info.out.find("case-clashes\t3\n"), std::string::npos) << info.out;
    // Where letter case is told apart there is nothing to warn of.
    test::CliResult apart =
        test::RunCliWith({"info", set.root / "disk1", "--restore-to", set.root.path()});
    EXPECT_EQ(apart.err, "");
    EXPECT_NE(apart.out.find("case-clashes\t0\n"), std::string::npos) << apart.out;

    test::CliResult run = test::RunCliWith({"restore", "--from", set.root / "disk1", out});
    EXPECT_EQ(run.code, 1) << run.err;
    EXPECT_NE(run.err.find(test::Lead(msg::kRenamedFiles)), std::string::npos) << run.err;
    EXPECT_GE(ExpectEveryFileBack(out, run.err, files), 2u);
}

} // namespace
} // namespace arbolink
