// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery disks in the drive form: the split command on tmpfs disks swapped in one drive,
// with one recovery disk asked for after the data disks; a data disk withheld is rebuilt from
// the others and the recovery disk, and a restore from the drive that is given the recovery
// disk for the withheld one makes its files again, with their times and modes, after one
// question. Needs the right to mount (root).
#include "CliRun.h"
#include "core/Formatted.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/SplitCommand.h"
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/RestoreRun.h"
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
#include <sys/stat.h>
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
    // A mode of its own, for the file made again to show.
    stdfs::permissions(root / "src/f3.bin", stdfs::perms::owner_read | stdfs::perms::owner_write);
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
        const bool data = IsFilledIn(msg::kInsertDisk, dialog.text);
        const bool recovery = IsFilledIn(msg::kInsertRecoveryDisk, dialog.text);
        if (data || recovery) {
            if (asked > 0) {
                stdfs::copy(root / "drive", written(asked), stdfs::copy_options::recursive);
            }
            ++asked;
            ASSERT_TRUE(drive.Swap()) << drive.error();
        }
    };
    const std::string prepare = Formatted(msg::kPrepareDisksWithRecovery, 3, 1);
    host.Answer(Button::Ok, prepare);
    for (int disk = 1; disk <= 3; ++disk) {
        host.Answer(Button::Ok, Formatted(msg::kInsertDisk, disk));
    }
    host.Answer(Button::Ok, Formatted(msg::kInsertRecoveryDisk, 1));
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

    // The restore from the drive: disks 1 and 3, then the recovery disk where disk 2 is asked
    // for; after the question, disks 1 and 3 once more for the places of disk 2's files.
    const std::vector<int> inserted{3, 4, 1, 3};
    std::size_t next = 0;
    auto insert = [&](int disk) {
        ASSERT_TRUE(drive.Swap()) << drive.error();
        stdfs::copy(written(disk), root / "drive", stdfs::copy_options::recursive);
    };
    insert(1);
    host.onDialog = [&](const DialogRecord& dialog) {
        if (IsFilledIn(msg::kSwapDiskLeft, dialog.text) ||
            dialog.text.starts_with("作り直しに使うディスクを入れてください")) {
            ASSERT_LT(next, inserted.size()) << dialog.text;
            insert(inserted[next++]);
        }
    };
    for (int i = 0; i < 2; ++i) {
        host.Answer(Button::Yes); // the next disk is in
    }
    host.Answer(Button::Yes, msg::kAskRebuild);
    for (int i = 0; i < 2; ++i) {
        host.Answer(Button::Yes); // a disk for the rebuild is in
    }
    root.MakeFolder("restored");
    host.fields.restoreTo = root / "restored";
    // A restore on another computer: its cache folder is not there yet.
    session.RecoveryCache = AddBackslash(root / "fresh-home/.cache/arbolink");
    RestoreDisks(session, host);
    EXPECT_EQ(next, inserted.size());
    EXPECT_EQ(host.DialogTexts().back(), msg::kAllLostRebuilt);
    EXPECT_EQ(test::TreeOf(root / "restored"), test::TreeOf(root / "src"));
    // The files made again have the times and modes their stored files had.
    for (const auto& entry : stdfs::directory_iterator(written(2) + setFolder)) {
        const std::string name = entry.path().filename().string();
        if (IsSetFileName(name)) {
            continue;
        }
        struct stat source {};
        struct stat restored {};
        ASSERT_EQ(::stat((root / ("src/" + name)).c_str(), &source), 0) << name;
        ASSERT_EQ(::stat((root / ("restored/" + name)).c_str(), &restored), 0) << name;
        EXPECT_EQ(restored.st_mtim.tv_sec, source.st_mtim.tv_sec) << name;
        EXPECT_EQ(restored.st_mtim.tv_nsec, source.st_mtim.tv_nsec) << name;
        EXPECT_EQ(restored.st_mode, source.st_mode) << name;
    }
    EXPECT_TRUE(stdfs::is_empty(root / "fresh-home/.cache/arbolink"));
}

} // namespace
} // namespace arbolink
