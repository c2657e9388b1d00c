// SPDX-License-Identifier: GPL-3.0-or-later
// A set staged from the command line, its disks copied to the root of a medium, restored
// through the restore command the GUI runs.
#include "CliRestoreFixture.h"
#include "CliRun.h"
#include "core/rFile/RestoreCommand.h"
#include "core/rFile/RestoreMessages.h"
#include "fs/Drives.h"
#include "support/TmpfsDisk_posix.h"
#include "support/TreeSnapshot_posix.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::CliRestoreTest;
using test::kSwap1;
using test::kSwap2;
using test::ScriptedHost;
using test::TreeOf;

TEST_F(CliRestoreTest, AStagedDiskCopiedToTheRootOfAMediumRestoresThroughTheRestoreCommand) {
    ASSERT_EQ(Stage("stage"), 0);
    root().MakeFolder("drive");
    root().MakeFolder("out");
    test::TmpfsDisk medium(root() / "drive", 1024);
    if (!medium.Insert()) {
        GTEST_SKIP() << "tmpfs disks need the right to mount: " << medium.error();
    }
    // The drive root is read, as the GUI reads a disk; its set is in "@dummy@" there.
    auto burn = [&](int n) {
        ASSERT_TRUE(medium.Swap()) << medium.error();
        stdfs::copy(Disk("stage", n), root() / "drive", stdfs::copy_options::recursive);
    };
    burn(3);
    ScriptedHost host;
    set.UseFields(host);
    host.onDialog = [&, next = 0](const test::DialogRecord& dialog) mutable {
        const int order[] = {1, 2};
        if (dialog.buttons.size() > 1 && next < 2) {
            burn(order[next++]);
        }
    };
    host.Answer(Button::Yes, kSwap2);
    host.Answer(Button::Yes, kSwap1);
    Session session;
    BitBtn3Click(session, host);
    medium.Eject();
    EXPECT_EQ(host.DialogTexts().back(), msg::kRestoreFinished);
    EXPECT_EQ(TreeOf(root() / "out"), TreeOf(root() / "src"));
}

// A RAM disk is asked about like a hard disk: --yes alone writes over nothing there.
TEST_F(CliRestoreTest, YesAloneNeverWritesIntoAFilledRamDisk) {
    ASSERT_EQ(Stage("stage"), 0);
    root().MakeFolder("out");
    test::TmpfsDisk ram(root() / "out", 1024);
    if (!ram.Insert()) {
        GTEST_SKIP() << "a tmpfs destination needs the right to mount: " << ram.error();
    }
    ASSERT_EQ(GetDriveKind(root() / "out"), "Ram");
    root().WriteFile("out/アルバム 1/写真.jpg", "the user's own");
    const test::TreeSnapshot before = test::SnapshotOf(root() / "out");
    std::vector<std::string> args = From({Disk("stage", 1), Disk("stage", 2), Disk("stage", 3)});
    args.push_back("--yes");
    test::CliResult refused = test::RunCliWith(args);
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find(msg::kKeepHardDiskRestoreFolder), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("--empty-destination"), std::string::npos) << refused.err;
    EXPECT_EQ(test::Differences(before, test::SnapshotOf(root() / "out")),
              std::vector<std::string>{});

    args.push_back("--empty-destination");
    test::CliResult allowed = test::RunCliWith(args);
    EXPECT_EQ(allowed.code, 0) << allowed.err;
    EXPECT_EQ(TreeOf(root() / "out"), TreeOf(root() / "src"));
    ram.Eject();
}

} // namespace
} // namespace arbolink
