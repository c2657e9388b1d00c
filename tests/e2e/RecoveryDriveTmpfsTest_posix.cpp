// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery disks in the drive form: the split command on tmpfs disks swapped in one drive,
// with one recovery disk asked for after the data disks; a data disk withheld is rebuilt from
// the others and the recovery disk. Needs the right to mount (root).
#include "CliRun.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/SplitCommand.h"
#include "core/recovery/Rebuild.h"
#include "core/recovery/RecoveryMessages.h"
#include "core/wFile/WriteMessages.h"
#include "fs/Folders.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"
#include "support/TmpfsDisk_posix.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::DialogRecord;

TEST(RecoveryDriveTmpfs, ARecoveryDiskInTheDriveRebuildsAWithheldDataDisk) {
    test::TempFolder root;
    root.MakeFolder("drive");
    test::TmpfsDisk drive(root / "drive", 1440);
    if (!drive.Insert()) {
        GTEST_SKIP() << "tmpfs disks need the right to mount: " << drive.error();
    }
    // Two files of 600 000 bytes to a disk of 1440 KiB: three data disks.
    for (unsigned i = 1; i <= 5; ++i) {
        root.WriteFile("src/f" + std::to_string(i) + ".bin", test::Contents(600'000, i));
    }
    Session session;
    session.RecoveryDisks = 1;
    session.RecoveryCache = AddBackslash(root / "cache");
    test::ScriptedHost host;
    host.fields.source = root / "src";
    host.fields.destination = root / "drive";
    auto written = [&](int disk) { return root / ("written" + std::to_string(disk)); };
    // At each request the disk in the drive is kept as the disk before and a fresh one goes in.
    int asked = 0;
    host.onDialog = [&](const DialogRecord& dialog) {
        const bool data = dialog.text.ends_with(msg::kInsertDisk);
        const bool recovery = dialog.text.ends_with(msg::kInsertRecoveryDiskAfter);
        if (data || recovery) {
            if (asked > 0) {
                stdfs::copy(root / "drive", written(asked), stdfs::copy_options::recursive);
            }
            ++asked;
            ASSERT_TRUE(drive.Swap()) << drive.error();
        }
    };
    const std::string prepare = msg::kPrepareDisksBefore + std::string("3") +
                                msg::kPrepareRecoveryDisks + "1" + msg::kPrepareDisksAfter;
    host.Answer(Button::Ok, prepare);
    for (int disk = 1; disk <= 3; ++disk) {
        host.Answer(Button::Ok, std::to_string(disk) + msg::kInsertDisk);
    }
    host.Answer(Button::Ok,
                std::string(msg::kInsertRecoveryDiskBefore) + "1" + msg::kInsertRecoveryDiskAfter);
    BitBtn2Click(session, host);
    stdfs::copy(root / "drive", written(4), stdfs::copy_options::recursive);
    ASSERT_EQ(asked, 4);
    EXPECT_EQ(host.DialogTexts().back(), msg::kCopyFinished);
    const std::string recoveryFolder = written(4) + "/" + kDummyFolderName + "/";
    EXPECT_TRUE(stdfs::exists(recoveryFolder + kRecoveryHeaderName));
    EXPECT_FALSE(stdfs::exists(recoveryFolder + kIdentityFileName));
    EXPECT_TRUE(stdfs::is_empty(root / "cache"));

    std::string message;
    const std::string setFolder = std::string("/") + kDummyFolderName + "/";
    ASSERT_TRUE(RebuildDisk({{written(1) + setFolder, written(3) + setFolder, recoveryFolder},
                             2,
                             AddBackslash(root / "rebuilt/@dummy@")},
                            message))
        << message;
    EXPECT_TRUE(stdfs::exists(written(2) + setFolder + "f3.bin"));
    EXPECT_EQ(test::TreeOf(root / "rebuilt"), test::TreeOf(written(2)));
}

} // namespace
} // namespace arbolink
