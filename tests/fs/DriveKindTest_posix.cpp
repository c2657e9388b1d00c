// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Drives.h"
#include "support/FakeDriveTree_posix.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

using test::FakeDriveTree;

class DriveKind : public ::testing::Test {
protected:
    FakeDriveTree tree;
};

constexpr const char* kUsbStick =
    "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb";

TEST_F(DriveKind, UsbStickIsRemovableThroughItsBusEvenWithoutTheFlag) {
    tree.AddDisk(kUsbStick, "8:16", false);
    tree.AddPartition(kUsbStick, "sdb1", "8:17");
    std::string stick = tree.Mount("stick", "8:17", "vfat", "/dev/sdb1");
    EXPECT_EQ(GetDriveKind(stick), "Rem");
    EXPECT_EQ(GetDriveKind(stick + "/docs/not-there"), "Rem");
}

TEST_F(DriveKind, FloppyIsRemovable) {
    tree.AddDisk("platform/floppy.0/block/fd0", "2:0", true);
    EXPECT_EQ(GetDriveKind(tree.Mount("floppy", "2:0", "vfat", "/dev/fd0")), "Rem");
}

TEST_F(DriveKind, SdCardInABuiltInReaderIsRemovable) {
    std::string card = "platform/fe320000.mmc/mmc_host/mmc1/mmc1:aaaa/block/mmcblk1";
    tree.AddDisk(card, "179:0", false);
    tree.AddDeviceFile("platform/fe320000.mmc/mmc_host/mmc1/mmc1:aaaa/type", "SD\n");
    tree.AddDeviceLink(card + "/device", "../../../mmc1:aaaa");
    tree.AddPartition(card, "mmcblk1p1", "179:1");
    EXPECT_EQ(GetDriveKind(tree.Mount("card", "179:1", "exfat", "/dev/mmcblk1p1")), "Rem");
}

TEST_F(DriveKind, BuiltInEmmcIsAFixedDisk) {
    std::string emmc = "platform/fe330000.mmc/mmc_host/mmc0/mmc0:0001/block/mmcblk0";
    tree.AddDisk(emmc, "179:32", false);
    tree.AddDeviceFile("platform/fe330000.mmc/mmc_host/mmc0/mmc0:0001/type", "MMC\n");
    tree.AddDeviceLink(emmc + "/device", "../../../mmc0:0001");
    tree.AddPartition(emmc, "mmcblk0p2", "179:34");
    EXPECT_EQ(GetDriveKind(tree.Mount("emmc", "179:34", "ext4", "/dev/mmcblk0p2")), "HDD");
}

TEST_F(DriveKind, OpticalDriveAndDiscFileSystemsAreCd) {
    tree.AddDisk("pci0000:00/0000:00:1f.2/ata2/host1/target1:0:0/1:0:0:0/block/sr0", "11:0", true);
    EXPECT_EQ(GetDriveKind(tree.Mount("cdrom", "11:0", "iso9660", "/dev/sr0")), "CD");
    EXPECT_EQ(GetDriveKind(tree.Mount("dvd", "11:0", "udf", "/dev/sr0")), "CD");
    // A disc image mounted through a loop device still holds a disc's file system.
    tree.AddDisk("virtual/block/loop3", "7:3", false);
    EXPECT_EQ(GetDriveKind(tree.Mount("image", "7:3", "iso9660", "/dev/loop3")), "CD");
}

TEST_F(DriveKind, OnlyOpticalDrivesAndImageFilesOfAbsolutePathsAreBurnt) {
    tree.AddOpticalDrive("pci0000:00/0000:00:1f.2/ata2/host1/target1:0:0/1:0:0:0/block/sr0",
                         "11:0");
    tree.AddDeviceNode("cdrom", "sr0");
    tree.AddDeviceNode("sr7"); // no drive of that name
    tree.AddDisk(kUsbStick, "8:16", true);
    tree.AddDeviceNode("sdb");
    EXPECT_EQ(OpticalDriveOf("/dev/sr0"), "/dev/sr0");
    EXPECT_EQ(OpticalDriveOf("/dev/cdrom"), "/dev/cdrom");
    for (const char* other : {"/dev/sr7", "/dev/sdb", "/dev/sr0/x", "/dev", "", "sr0"}) {
        EXPECT_EQ(OpticalDriveOf(other), "") << other;
    }
    EXPECT_EQ(OpticalDriveOf("stdio:/x/set.iso"), "stdio:/x/set.iso");
    EXPECT_EQ(OpticalDriveOf("stdio:set.iso"), "");
    // A disc mounted with room takes files as any folder does.
    const std::string disc = tree.Mount("disc", "11:0", "udf", "/dev/sr0");
    EXPECT_EQ(GetDriveKind(disc), "CD");
    EXPECT_EQ(OpticalDriveOf(disc + "/sets"), "");

    tree.AddOpticalDrive("pci0000:00/0000:00:1f.2/ata3/host2/target2:0:0/2:0:0:0/block/sr1",
                         "11:1");
    EXPECT_EQ(ListOpticalDrives(), (std::vector<std::string>{"/dev/sr0", "/dev/sr1"}));
}

TEST_F(DriveKind, NetworkSharesAreNet) {
    EXPECT_EQ(GetDriveKind(tree.Mount("nfs", "0:52", "nfs4", "server:/export")), "Net");
    EXPECT_EQ(GetDriveKind(tree.Mount("nfs3", "0:53", "nfs", "server:/old")), "Net");
    EXPECT_EQ(GetDriveKind(tree.Mount("cifs", "0:54", "cifs", "//server/share")), "Net");
    EXPECT_EQ(GetDriveKind(tree.Mount("smb", "0:55", "smb3", "//server/share")), "Net");
    EXPECT_EQ(GetDriveKind(tree.Mount("ssh", "0:56", "fuse.sshfs", "me@host:/home")), "Net");
    EXPECT_EQ(GetDriveKind(tree.Mount("9p", "0:57", "9p", "drvfs")), "Net");
}

TEST_F(DriveKind, MemoryFileSystemsAreRam) {
    EXPECT_EQ(GetDriveKind(tree.Mount("tmp", "0:40", "tmpfs", "tmpfs")), "Ram");
    EXPECT_EQ(GetDriveKind(tree.Mount("ram", "0:41", "ramfs", "ramfs")), "Ram");
}

TEST_F(DriveKind, FixedDisksAndTheirPartitionsAreHdd) {
    EXPECT_EQ(GetDriveKind("/"), "HDD");
    std::string nvme = "pci0000:00/0000:00:06.0/0000:02:00.0/nvme/nvme0/nvme0n1";
    tree.AddDisk(nvme, "259:0", false);
    tree.AddPartition(nvme, "nvme0n1p2", "259:2");
    EXPECT_EQ(GetDriveKind(tree.Mount("data", "259:2", "ext4", "/dev/nvme0n1p2")), "HDD");
}

TEST_F(DriveKind, PartitionTakesTheRemovableFlagOfItsDisk) {
    std::string reader = "pci0000:00/0000:00:1f.2/ata3/host2/target2:0:0/2:0:0:0/block/sdc";
    tree.AddDisk(reader, "8:32", true);
    tree.AddPartition(reader, "sdc1", "8:33");
    EXPECT_EQ(GetDriveKind(tree.Mount("zip", "8:33", "vfat", "/dev/sdc1")), "Rem");
}

TEST_F(DriveKind, AnonymousDeviceNumbersAreFoundThroughTheSource) {
    std::string nvme = "pci0000:00/0000:00:06.0/0000:02:00.0/nvme/nvme0/nvme0n1";
    tree.AddDisk(nvme, "259:0", false);
    tree.AddPartition(nvme, "nvme0n1p3", "259:3");
    EXPECT_EQ(GetDriveKind(tree.Mount("btrfs", "0:45", "btrfs", "/dev/nvme0n1p3")), "HDD");
}

TEST_F(DriveKind, MappedDeviceTakesTheKindOfTheDiskBeneath) {
    tree.AddDisk(kUsbStick, "8:16", false);
    tree.AddPartition(kUsbStick, "sdb1", "8:17");
    tree.AddDisk("virtual/block/dm-0", "253:0", false);
    tree.AddDeviceLink("virtual/block/dm-0/slaves/sdb1",
                       "../../../../" + std::string(kUsbStick) + "/sdb1");
    EXPECT_EQ(GetDriveKind(tree.Mount("crypt", "253:0", "ext4", "/dev/mapper/crypt")), "Rem");
}

TEST_F(DriveKind, MountPointsWithBlanksAndEscapedCharacters) {
    tree.AddDisk(kUsbStick, "8:16", true);
    tree.AddPartition(kUsbStick, "sdb1", "8:17");
    std::string stick = tree.Mount("my stick\\x", "8:17", "vfat", "/dev/sdb1");
    EXPECT_EQ(GetDriveKind(stick), "Rem");
    EXPECT_EQ(GetDriveKind(stick + "/sub folder"), "Rem");
    EXPECT_EQ(GetDriveKind(tree.mounts() + "/my"), "HDD");
}

TEST_F(DriveKind, PathsResolveDotsBeforeTheirDriveIsLookedUp) {
    std::string ram = tree.Mount("ram", "0:41", "tmpfs", "tmpfs");
    EXPECT_EQ(GetDriveKind(ram + "/../ram/x"), "Ram");
    EXPECT_EQ(GetDriveKind(ram + "/../elsewhere"), "HDD");
    EXPECT_EQ(GetDriveKind(ram + "/"), "Ram");
}

TEST_F(DriveKind, OtherFileSystemsAreOfNoKnownKind) {
    EXPECT_EQ(GetDriveKind(tree.Mount("proc", "0:21", "proc", "proc")), "");
    EXPECT_EQ(GetDriveKind(tree.Mount("overlay", "0:60", "overlay", "overlay")), "");
    // A block device number that sysfs does not know.
    EXPECT_EQ(GetDriveKind(tree.Mount("gone", "8:99", "ext4", "/dev/sdz9")), "");
}

TEST_F(DriveKind, PathsThatNameNoDrive) {
    EXPECT_EQ(GetDriveKind(""), "-");
    EXPECT_EQ(GetDriveKind("docs/old"), "-");
    EXPECT_EQ(GetDriveKind("./x"), "-");
}

TEST(DriveKindWithoutMountTable, AnswersNoKnownKind) {
    test::TempFolder empty;
    SetDriveSystemRoot(empty.path());
    EXPECT_EQ(GetDriveKind("/"), "");
    EXPECT_EQ(GetDriveKind("x"), "-");
    SetDriveSystemRoot("");
}

TEST(DriveKindOfThisMachine, ProcIsOfNoKnownKind) {
    EXPECT_EQ(GetDriveKind("/proc/self"), "");
}

} // namespace
} // namespace arbolink
