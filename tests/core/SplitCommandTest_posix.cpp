// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/divide/SplitCommand.h"

#include "PlanningTestSupport.h"
#include "core/Formatted.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/wFile/BurnMessages.h"
#include "core/wFile/WriteMessages.h"
#include "fs/Drives.h"
#include "support/FakeDriveTree_posix.h"
#include "support/InjectingBurner.h"
#include "support/ShownDialogs.h"
#include "support/TmpfsDisk_posix.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::DialogRecord;
using test::Event;
using test::FakeDriveTree;
using test::InjectingBurner;
using test::PlainShown;
using test::ScriptedHost;
using test::Shown;
using test::ShownDialogs;
using test::TempFolder;
using test::TmpfsDisk;
using test::WarningShown;

constexpr const char* kUsbStick =
    "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb";
constexpr const char* kNvme = "pci0000:00/0000:00:06.0/0000:02:00.0/nvme/nvme0/nvme0n1";
constexpr const char* kOptical = "pci0000:00/0000:00:1f.2/ata2/host1/target1:0:0/1:0:0:0/block/sr0";

std::string PrepareText(int disks) {
    return Formatted(msg::kPrepareDisks, disks);
}

Shown PrepareShown(int disks) {
    return {DialogKind::Confirmation, PrepareText(disks), {Button::Ok, Button::Cancel}};
}

Shown NotReadyShown(const std::string& text) {
    return {DialogKind::Error, text, {Button::Ok, Button::Abort}};
}

Shown CreateShown(const std::string& text) {
    return {DialogKind::Confirmation, text, {Button::Yes, Button::No}};
}

const Shown kEmptyRemovableShown = {
    DialogKind::Information, msg::kEmptyRemovable, {Button::Yes, Button::No, Button::Abort}};
const Shown kHardDiskShown = {
    DialogKind::Information, msg::kHardDiskHasEntries, {Button::Yes, Button::Abort}};

std::string Prompt(int disk) {
    return Formatted(msg::kInsertDisk, disk);
}

std::string FieldNumber(Field field) {
    return std::to_string(static_cast<int>(field));
}

void Touch(const std::string& path) {
    std::ofstream file(path, std::ios::binary);
    ASSERT_TRUE(file.good()) << path;
}

// Fills a small file system to its last byte.
void FillUp(const std::string& folder) {
    std::FILE* file = std::fopen((folder + "/filler").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const std::string block(4096, 'f');
    while (std::fwrite(block.data(), 1, block.size(), file) == block.size() &&
           std::fflush(file) == 0) {
    }
    std::fclose(file);
}

class SplitCommandTest : public ::testing::Test {
protected:
    SplitCommandTest() {
        folder.WriteFile("src/a.txt", "a");
        folder.WriteFile("src/docs/b.txt", "bb");
        host.fields.source = folder / "src";
    }

    // A USB stick ("Rem"), a fixed disk ("HDD"), a network share ("Net"), a RAM disk ("Ram")
    // and an optical drive ("CD"), each mounted at a folder of its own.
    std::string Stick() {
        tree.AddDisk(kUsbStick, "8:16", false);
        tree.AddPartition(kUsbStick, "sdb1", "8:17");
        return MountStick();
    }
    std::string MountStick() { return tree.Mount("stick", "8:17", "vfat", "/dev/sdb1"); }
    std::string HardDisk() {
        tree.AddDisk(kNvme, "259:0", false);
        tree.AddPartition(kNvme, "nvme0n1p2", "259:2");
        return tree.Mount("data", "259:2", "ext4", "/dev/nvme0n1p2");
    }
    std::string Share() { return tree.Mount("nfs", "0:52", "nfs4", "server:/export"); }
    std::string RamDisk() { return tree.Mount("ram", "0:41", "ramfs", "ramfs"); }
    std::string Cd() {
        tree.AddDisk(kOptical, "11:0", true);
        return tree.Mount("cdrom", "11:0", "iso9660", "/dev/sr0");
    }

    // A destination folder on a disk, holding a file and a folder with a file.
    std::string FilledFolder(const std::string& disk) {
        std::string sets = disk + "/sets";
        stdfs::create_directories(sets + "/old");
        Touch(sets + "/old/x.txt");
        Touch(sets + "/y");
        return sets;
    }

    void Divide() { BitBtn2Click(session, host); }

    FakeDriveTree tree;
    TempFolder folder;
    Session session;
    ScriptedHost host;
};

TEST_F(SplitCommandTest, BothFieldsEmptyShowOnlyTheSourceMessage) {
    host.fields = {};
    Divide();
    EXPECT_EQ(ShownDialogs(host), std::vector<Shown>{PlainShown(msg::kSetSource)});
}

TEST_F(SplitCommandTest, AnEmptyDestinationIsAskedForAfterTheSource) {
    Divide();
    EXPECT_EQ(ShownDialogs(host), std::vector<Shown>{PlainShown(msg::kSetDestination)});
}

TEST_F(SplitCommandTest, ASourceDriveThatIsNotReadyIsAskedForAgainAfterEveryOk) {
    const std::string stick = Stick();
    stdfs::create_directories(stick + "/src");
    host.fields.source = stick + "/src";
    VolumeWatch watch;
    watch.Remember(stick);
    tree.Unmount(stick);
    host.Answer(Button::Ok, msg::kNoSourceDisk);
    host.Answer(Button::Ok, msg::kNoSourceDisk);
    int asked = 0;
    host.onDialog = [&](const DialogRecord&) {
        if (++asked == 2) {
            MountStick();
        }
    };
    Divide();
    EXPECT_EQ(ShownDialogs(host), (std::vector<Shown>{NotReadyShown(msg::kNoSourceDisk),
                                                      NotReadyShown(msg::kNoSourceDisk),
                                                      PlainShown(msg::kSetDestination)}));
}

TEST_F(SplitCommandTest, AbortEndsTheWaitForTheSourceEvenWhenTheDriveIsReadyMeanwhile) {
    const std::string stick = Stick();
    stdfs::create_directories(stick + "/src");
    host.fields.source = stick + "/src";
    VolumeWatch watch;
    watch.Remember(stick);
    tree.Unmount(stick);
    host.Answer(Button::Abort, msg::kNoSourceDisk);
    host.onDialog = [&](const DialogRecord&) { MountStick(); };
    Divide();
    EXPECT_EQ(ShownDialogs(host), std::vector<Shown>{NotReadyShown(msg::kNoSourceDisk)});
}

TEST_F(SplitCommandTest, ASourceFolderStillMissingAfterTheWaitIsAskedAbout) {
    const std::string stick = Stick();
    host.fields.source = stick + "/missing";
    host.fields.destination = folder / "dest";
    VolumeWatch watch;
    watch.Remember(stick);
    tree.Unmount(stick);
    host.Answer(Button::Ok, msg::kNoSourceDisk);
    host.Answer(Button::No, msg::kCreateSource);
    host.onDialog = [&](const DialogRecord& dialog) {
        if (dialog.text == msg::kNoSourceDisk) {
            MountStick();
        }
    };
    Divide();
    EXPECT_EQ(ShownDialogs(host), (std::vector<Shown>{NotReadyShown(msg::kNoSourceDisk),
                                                      CreateShown(msg::kCreateSource)}));
    EXPECT_EQ(host.Details(Event::Type::SelectField),
              std::vector<std::string>{FieldNumber(Field::Source)});
}

TEST_F(SplitCommandTest, AMissingSourceIsCreatedOnYesAndTheCommandEnds) {
    host.fields.source = folder / "new/src";
    host.fields.destination = folder / "dest";
    host.Answer(Button::No, msg::kCreateSource);
    Divide();
    EXPECT_EQ(host.Details(Event::Type::SelectField),
              std::vector<std::string>{FieldNumber(Field::Source)});
    EXPECT_FALSE(stdfs::exists(folder / "new"));

    ScriptedHost again;
    again.fields = host.fields;
    again.Answer(Button::Yes, msg::kCreateSource);
    BitBtn2Click(session, again);
    EXPECT_EQ(ShownDialogs(again), std::vector<Shown>{CreateShown(msg::kCreateSource)});
    EXPECT_TRUE(stdfs::is_directory(folder / "new/src"));
    EXPECT_FALSE(stdfs::exists(folder / "dest"));
}

TEST_F(SplitCommandTest, AMissingDestinationIsCreatedOnYesAndTheDivideGoesOn) {
    const std::string sets = Stick() + "/sets/today";
    host.fields.destination = sets;
    host.Answer(Button::No, msg::kCreateDestination);
    Divide();
    EXPECT_EQ(ShownDialogs(host), std::vector<Shown>{CreateShown(msg::kCreateDestination)});
    EXPECT_EQ(host.Details(Event::Type::SelectField),
              std::vector<std::string>{FieldNumber(Field::Destination)});
    EXPECT_FALSE(stdfs::exists(sets));

    ScriptedHost again;
    again.fields = host.fields;
    again.Answer(Button::Yes, msg::kCreateDestination);
    again.Answer(Button::Cancel, PrepareText(1));
    BitBtn2Click(session, again);
    EXPECT_EQ(ShownDialogs(again),
              (std::vector<Shown>{CreateShown(msg::kCreateDestination), PrepareShown(1)}));
    EXPECT_TRUE(stdfs::is_directory(sets));
    EXPECT_TRUE(stdfs::is_empty(sets)); // Cancel there writes nothing
}

TEST_F(SplitCommandTest, ADestinationDriveReadyOnlyAfterOkIsAskedAboutItsFolder) {
    const std::string stick = Stick();
    host.fields.destination = stick + "/sets";
    VolumeWatch watch;
    watch.Remember(stick);
    tree.Unmount(stick);
    host.Answer(Button::Ok, msg::kNoDestinationDisk);
    host.Answer(Button::Yes, msg::kCreateDestination);
    host.Answer(Button::Cancel, PrepareText(1));
    host.onDialog = [&](const DialogRecord& dialog) {
        if (dialog.text == msg::kNoDestinationDisk) {
            MountStick();
        }
    };
    Divide();
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{NotReadyShown(msg::kNoDestinationDisk),
                                  CreateShown(msg::kCreateDestination), PrepareShown(1)}));
    EXPECT_TRUE(stdfs::is_directory(stick + "/sets"));
}

TEST_F(SplitCommandTest, ADestinationThatCannotBeCreatedIsNamed) {
    folder.WriteFile("plain.txt", "not a folder");
    host.fields.destination = folder / "plain.txt/sets";
    host.Answer(Button::Yes, msg::kCreateDestination);
    Divide();
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{CreateShown(msg::kCreateDestination),
                                  PlainShown(msg::kCreateFolderFailed + host.fields.destination)}));
}

TEST_F(SplitCommandTest, ARemovableDestinationWithEntriesIsEmptiedOnYesAndKept) {
    host.fields.destination = FilledFolder(Stick());
    host.Answer(Button::Yes, msg::kEmptyRemovable);
    host.Answer(Button::Cancel, PrepareText(1));
    Divide();
    EXPECT_EQ(ShownDialogs(host), (std::vector<Shown>{kEmptyRemovableShown,
                                                      PlainShown(msg::kDeleted), PrepareShown(1)}));
    EXPECT_EQ(session.EmptyingFolder, host.fields.destination);
    EXPECT_TRUE(stdfs::is_directory(host.fields.destination));
    EXPECT_TRUE(stdfs::is_empty(host.fields.destination));
}

TEST_F(SplitCommandTest, ARemovableDestinationIsLeftAsItIsOnNoAndTheCommandEndsOnAbort) {
    host.fields.destination = FilledFolder(Stick());
    host.Answer(Button::No, msg::kEmptyRemovable);
    host.Answer(Button::Cancel, PrepareText(1));
    Divide();
    EXPECT_EQ(ShownDialogs(host), (std::vector<Shown>{kEmptyRemovableShown, PrepareShown(1)}));

    ScriptedHost again;
    again.fields = host.fields;
    again.Answer(Button::Abort, msg::kEmptyRemovable);
    BitBtn2Click(session, again);
    EXPECT_EQ(ShownDialogs(again), std::vector<Shown>{kEmptyRemovableShown});
    EXPECT_TRUE(stdfs::exists(host.fields.destination + "/old/x.txt"));
    EXPECT_TRUE(session.EmptyingFolder.empty());
}

TEST_F(SplitCommandTest, ARemovableDestinationHoldingTheSourceIsNeverEmptied) {
    const std::string stick = Stick();
    stdfs::create_directories(stick + "/src/docs");
    stdfs::copy(folder / "src", stick + "/src", stdfs::copy_options::recursive);
    host.fields.source = stick + "/src";
    host.fields.destination = stick;
    Divide();
    EXPECT_EQ(ShownDialogs(host), std::vector<Shown>{PlainShown(msg::kFoldersOverlap)});
    EXPECT_TRUE(stdfs::exists(stick + "/src/docs/b.txt"));
}

TEST_F(SplitCommandTest, AFailedEmptyingIsToldAndTheDivideGoesOn) {
    host.fields.destination = FilledFolder(Stick());
    // Another file system mounted inside the folder is never entered, so it cannot go.
    stdfs::create_directories(host.fields.destination + "/inner");
    TmpfsDisk inner(host.fields.destination + "/inner", 64);
    if (!inner.Insert()) {
        GTEST_SKIP() << inner.error();
    }
    host.Answer(Button::Yes, msg::kEmptyRemovable);
    host.Answer(Button::Cancel, PrepareText(1));
    Divide();
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{kEmptyRemovableShown, PlainShown(msg::kDeleteFailed),
                                  PrepareShown(1)}));
    EXPECT_FALSE(stdfs::exists(host.fields.destination + "/y"));
}

TEST_F(SplitCommandTest, AHardDiskDestinationWithEntriesIsOnlyAskedWhetherToGoOn) {
    host.fields.destination = FilledFolder(HardDisk());
    host.Answer(Button::Yes, msg::kHardDiskHasEntries);
    host.Answer(Button::Cancel, PrepareText(1));
    Divide();
    EXPECT_EQ(ShownDialogs(host), (std::vector<Shown>{kHardDiskShown, PrepareShown(1)}));

    ScriptedHost again;
    again.fields = host.fields;
    again.Answer(Button::Abort, msg::kHardDiskHasEntries);
    BitBtn2Click(session, again);
    EXPECT_EQ(ShownDialogs(again), std::vector<Shown>{kHardDiskShown});
    EXPECT_TRUE(stdfs::exists(host.fields.destination + "/old/x.txt"));
    EXPECT_TRUE(stdfs::exists(host.fields.destination + "/y"));
}

TEST_F(SplitCommandTest, OtherKindsOfDestinationWithEntriesAreNotAskedAbout) {
    for (const std::string& disk : {Share(), RamDisk()}) {
        ScriptedHost other;
        other.fields = host.fields;
        other.fields.destination = FilledFolder(disk);
        other.Answer(Button::Cancel, PrepareText(1));
        BitBtn2Click(session, other);
        EXPECT_EQ(ShownDialogs(other), std::vector<Shown>{PrepareShown(1)}) << disk;
        EXPECT_TRUE(stdfs::exists(other.fields.destination + "/y"));
    }
}

TEST_F(SplitCommandTest, ACdWithoutFreeSpaceIsRefusedAndOneWithRoomIsNot) {
    const std::string cd = Cd();
    TmpfsDisk disc(cd, 64);
    if (!disc.Insert()) {
        GTEST_SKIP() << disc.error();
    }
    host.fields.destination = cd;
    host.Answer(Button::Cancel, PrepareText(1));
    Divide();
    EXPECT_EQ(ShownDialogs(host), std::vector<Shown>{PrepareShown(1)});

    FillUp(cd);
    ScriptedHost full;
    full.fields = host.fields;
    BitBtn2Click(session, full);
    EXPECT_EQ(ShownDialogs(full), std::vector<Shown>{PlainShown(msg::kCdRefused)});
}

TEST_F(SplitCommandTest, AnImageDriveInsideTheSourceIsRefusedBeforeAnyDiscIsAskedFor) {
    InjectingBurner burner;
    host.fields.destination = "stdio:" + host.fields.source + "/docs/set.iso";
    BitBtn2Click(session, host, burner);
    EXPECT_EQ(ShownDialogs(host), std::vector<Shown>{PlainShown(msg::kDestinationInSource)});
    EXPECT_TRUE(burner.drivesMeasured.empty());
}

TEST_F(SplitCommandTest, AFullDiscOfAnOpticalDriveHasItsDiscsBurntInThatDrive) {
    tree.AddOpticalDrive(kOptical, "11:0");
    const std::string cd = tree.Mount("cdrom", "11:0", "iso9660", "/dev/sr0");
    TmpfsDisk disc(cd, 64);
    if (!disc.Insert()) {
        GTEST_SKIP() << disc.error();
    }
    FillUp(cd);
    InjectingBurner burner;
    burner.heldData = 1;
    host.fields.destination = cd + "/sets";
    host.Answer(Button::No, Formatted(msg::kDiscHoldsData, "/dev/sr0"));
    host.Answer(Button::Abort, Formatted(msg::kNoBlankDisc, "/dev/sr0", ""));
    BitBtn2Click(session, host, burner);
    EXPECT_EQ(burner.drivesMeasured, std::vector<std::string>{"/dev/sr0"});
    EXPECT_TRUE(burner.drivesBurnt.empty());
    EXPECT_EQ(host.dialogs.size(), 2u);
}

TEST_F(SplitCommandTest, ADriveRootIsAskedAboutAndEmptiedOnlyInItsSetFolder) {
    const std::string stick = Stick();
    TmpfsDisk disk(stick, 1440);
    if (!disk.Insert()) {
        GTEST_SKIP() << disk.error();
    }
    stdfs::create_directories(stick + "/@dummy@/old");
    Touch(stick + "/@dummy@/old/x");
    Touch(stick + "/keep.txt");
    host.fields.destination = stick;
    host.Answer(Button::Yes, msg::kEmptyRemovable);
    host.Answer(Button::Ok, PrepareText(1));
    host.Answer(Button::Ok, Prompt(1));
    Divide();
    EXPECT_EQ(
        ShownDialogs(host),
        (std::vector<Shown>{kEmptyRemovableShown,
                            PlainShown(msg::kDeleted),
                            PrepareShown(1),
                            {DialogKind::Confirmation, Prompt(1), {Button::Ok, Button::Abort}},
                            PlainShown(msg::kCopyFinished)}));
    EXPECT_EQ(session.EmptyingFolder, stick + "/@dummy@/");
    EXPECT_TRUE(stdfs::exists(stick + "/keep.txt"));
    EXPECT_FALSE(stdfs::exists(stick + "/@dummy@/old"));
    EXPECT_TRUE(stdfs::exists(stick + "/@dummy@/" + kIdentityFileName));
    EXPECT_TRUE(stdfs::exists(stick + "/@dummy@/b.txt"));

    // Without a set folder on the disk there is nothing to ask about.
    ASSERT_TRUE(disk.Swap()) << disk.error();
    Touch(stick + "/keep.txt");
    ScriptedHost fresh;
    fresh.fields = host.fields;
    fresh.Answer(Button::Cancel, PrepareText(1));
    BitBtn2Click(session, fresh);
    EXPECT_EQ(ShownDialogs(fresh), std::vector<Shown>{PrepareShown(1)});
}

TEST_F(SplitCommandTest, NoShareOfFreeSpaceMakesEveryFileTooLarge) {
    session.FreeSpacePercent = 0;
    host.fields.destination = folder / "dest";
    folder.MakeFolder("dest");
    Divide();
    // The largest file is named: with no room at all, no file fits.
    EXPECT_EQ(ShownDialogs(host),
              std::vector<Shown>{WarningShown(
                  "　　　　一枚に入りきらないファイルがあります\n\n" + (folder / "src/docs/b.txt") +
                  "\n\nこのソフトは、１つのファイルの分割をサポートしていません\n\n"
                  "　　　　　　　　分割を中止します")});
    ASSERT_GE(host.events.size(), 2u);
    EXPECT_EQ(host.events[host.events.size() - 2].type, Event::Type::Beep);
    EXPECT_TRUE(host.mainWindowEnabled);
}

TEST_F(SplitCommandTest, AnEmptySourceIsOneDiskAndCancelThereWritesNothing) {
    folder.MakeFolder("nothing");
    folder.MakeFolder("dest");
    host.fields.source = folder / "nothing";
    host.fields.destination = folder / "dest";
    host.Answer(Button::Cancel, "ディスクを 1 枚、用意してください");
    Divide();
    EXPECT_EQ(ShownDialogs(host), std::vector<Shown>{PrepareShown(1)});
    EXPECT_TRUE(stdfs::is_empty(folder / "dest"));
}

TEST_F(SplitCommandTest, CancelDuringTheWalkShowsOnlyTheCancelMessage) {
    folder.MakeFolder("dest");
    host.fields.destination = folder / "dest";
    host.onProcessMessages = [this] { host.PressCancel(); };
    Divide();
    EXPECT_EQ(ShownDialogs(host), std::vector<Shown>{WarningShown(msg::kCancelled)});
    ASSERT_EQ(host.progress.size(), 1u);
    EXPECT_TRUE(host.progress[0]->released);
    EXPECT_TRUE(host.mainWindowEnabled);
}

TEST_F(SplitCommandTest, ADivideGoesFromTheFieldsToTheClosingMessage) {
    const std::string stick = Stick();
    host.fields.destination = stick;
    host.fields.copyProgram = true;
    folder.WriteFile("install/arbolink", "program");
    session.values.ProgramFile = folder / "install/arbolink";
    host.Answer(Button::Ok, PrepareText(1));
    host.Answer(Button::Ok, Prompt(1));
    Divide();
    EXPECT_EQ(ShownDialogs(host).back(), PlainShown(msg::kCopyFinished));
    EXPECT_EQ(host.dialogs.size(), 3u);
    EXPECT_TRUE(stdfs::exists(stick + "/a.txt"));
    EXPECT_TRUE(stdfs::exists(stick + "/b.txt"));
    EXPECT_TRUE(stdfs::exists(stick + "/Arbolink/arbolink"));
    EXPECT_TRUE(session.values.DiskUsage.empty()); // it lives for one planning run only
    EXPECT_TRUE(host.mainWindowEnabled);
}

TEST_F(SplitCommandTest, APromptAnsweredWhileTheStickIsOutFindsNoDisk) {
    const std::string stick = Stick();
    host.fields.destination = stick + "/sets";
    stdfs::create_directories(host.fields.destination);
    host.Answer(Button::Ok, PrepareText(1));
    host.Answer(Button::Ok, Prompt(1));
    host.Answer(Button::Retry, msg::kNoDisk);
    host.onDialog = [&](const DialogRecord& dialog) {
        if (dialog.text == Prompt(1)) {
            tree.Unmount(stick);
        } else if (dialog.text == msg::kNoDisk) {
            EXPECT_TRUE(stdfs::is_empty(host.fields.destination)); // nothing written meanwhile
            MountStick();
        }
    };
    Divide();
    EXPECT_EQ(host.DialogTexts(), (std::vector<std::string>{PrepareText(1), Prompt(1), msg::kNoDisk,
                                                            msg::kCopyFinished}));
    EXPECT_TRUE(stdfs::exists(host.fields.destination + "/" + kIdentityFileName));
}

TEST(FirstFileBeyond, TheFirstFileBeyondTheLimitIsNamedProgramRowIncluded) {
    PlanningValues values = test::ValuesWith(
        {{"", "fits.bin", 4294967295}, {"big\\", "huge.bin", 4294967296}, {"", "small", 1}});
    values.SourceRoot = "/src/";
    EXPECT_EQ(FirstFileBeyond(values, 4294967295, false), "/src/big/huge.bin");
    EXPECT_EQ(FirstFileBeyond(values, 4294967296, false), "");
    values.ProgramFile = "/opt/arbolink/arbolink";
    values.Table.SetNumber(Size, 3, 5000000000);
    EXPECT_EQ(FirstFileBeyond(values, 4294967296, false), "");
    EXPECT_EQ(FirstFileBeyond(values, 4294967296, true), "/opt/arbolink/arbolink");
}

} // namespace
} // namespace arbolink
