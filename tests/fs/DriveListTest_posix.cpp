// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/DriveList.h"

#include "fs/Drives.h"
#include "support/FakeDriveTree_posix.h"

#include <gtest/gtest.h>

namespace arbolink {
namespace {

using test::FakeDriveTree;

MountEntry Mount(const std::string& mountPoint, const std::string& fsType,
                 const std::string& source = "/dev/sdb1") {
    return {mountPoint, "8:17", fsType, source};
}

TEST(UserVolume, ShowsDisksDiscsSharesAndTheRootWhateverItsType) {
    EXPECT_TRUE(IsUserVolume(Mount("/", "ext4")));
    EXPECT_TRUE(IsUserVolume(Mount("/", "overlay", "overlay"))); // a container's root
    EXPECT_TRUE(IsUserVolume(Mount("/home", "btrfs")));
    EXPECT_TRUE(IsUserVolume(Mount("/media/me/STICK", "vfat")));
    EXPECT_TRUE(IsUserVolume(Mount("/run/media/me/STICK", "exfat")));
    EXPECT_TRUE(IsUserVolume(Mount("/media/cdrom0", "iso9660", "/dev/sr0")));
    EXPECT_TRUE(IsUserVolume(Mount("/mnt/nas", "nfs4", "nas:/export")));
    EXPECT_TRUE(IsUserVolume(Mount("/mnt/share", "cifs", "//srv/share")));
    EXPECT_TRUE(IsUserVolume(Mount("/mnt/ram", "tmpfs", "tmpfs")));
    EXPECT_TRUE(IsUserVolume(Mount("/tmp/stick", "vfat"))); // only /tmp itself is the system's
}

TEST(UserVolume, HidesTheKernelsOwnFileSystemsAndTheSystemsFolders) {
    for (const char* type : {"proc", "sysfs", "cgroup", "cgroup2", "devpts", "devtmpfs", "mqueue",
                             "debugfs", "tracefs", "securityfs", "bpf", "autofs", "binfmt_misc",
                             "overlay", "squashfs", "fuse.snapfuse", "nsfs"}) {
        EXPECT_FALSE(IsUserVolume(Mount("/mnt/x", type, "none"))) << type;
    }
    for (const char* folder : {"/proc/sys/fs/binfmt_misc", "/sys/fs/cgroup", "/dev/shm", "/run",
                               "/run/user/1000", "/run/media", "/snap/core/1234", "/boot",
                               "/boot/efi", "/tmp", "/var/tmp", "/var/lib/docker/x"}) {
        EXPECT_FALSE(IsUserVolume(Mount(folder, "tmpfs", "tmpfs"))) << folder;
    }
    EXPECT_TRUE(IsUserVolume(Mount("/runner", "ext4"))); // whole names are compared
}

TEST(UserVolume, KeepsOneEntryPerMountPointTheLastMountedRootFirst) {
    std::vector<MountEntry> table = {
        Mount("/", "ext4", "/dev/vda"),
        Mount("/proc", "proc", "proc"),
        Mount("/media/b", "vfat", "/dev/sdc"),
        Mount("/media/a", "vfat", "/dev/sdb"),
        Mount("/media/a", "ext4", "/dev/sdd"),
        Mount("/media/c", "vfat", "/dev/sde"),
        Mount("/media/c", "squashfs", "/dev/loop0"),
    };
    std::vector<MountEntry> volumes = UserVolumes(table);
    ASSERT_EQ(volumes.size(), 3u);
    EXPECT_EQ(volumes[0].mountPoint, "/");
    EXPECT_EQ(volumes[1].mountPoint, "/media/a");
    EXPECT_EQ(volumes[1].source, "/dev/sdd"); // mounted over /dev/sdb
    EXPECT_EQ(volumes[2].mountPoint, "/media/b");
    // /media/c now shows a snap image, which hides the stick below it.
}

TEST(UdevName, DecodesHexEscapesAndKeepsTheRest) {
    EXPECT_EQ(DecodeUdevName("MY\\x20STICK"), "MY STICK");
    EXPECT_EQ(DecodeUdevName("\\xe3\\x83\\x87\\xe3\\x83\\xbc\\xe3\\x82\\xbf"), "データ");
    EXPECT_EQ(DecodeUdevName("a\\x2"), "a\\x2");
    EXPECT_EQ(DecodeUdevName("a\\xzz"), "a\\xzz");
    EXPECT_EQ(DecodeUdevName(""), "");
}

constexpr const char* kUsbStick =
    "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb";

TEST(ListDrives, NamesEveryVolumeWithItsLabelAndKind) {
    FakeDriveTree tree;
    tree.AddDisk(kUsbStick, "8:16", false);
    tree.AddPartition(kUsbStick, "sdb1", "8:17");
    tree.AddLabel("MY\\x20STICK", "sdb1");
    tree.AddLabel("ROOT", "vda");
    std::string stick = tree.Mount("stick", "8:17", "vfat", "/dev/sdb1");
    std::string share = tree.Mount("share", "0:52", "cifs", "//srv/share");
    tree.Mount("cgroup", "0:30", "cgroup2", "cgroup2");

    std::vector<DriveEntry> drives = ListDrives();
    ASSERT_EQ(drives.size(), 3u);
    EXPECT_EQ(drives[0].root, "/");
    EXPECT_EQ(drives[0].label, "ROOT");
    EXPECT_EQ(drives[0].kind, "HDD");
    EXPECT_EQ(drives[1].root, share);
    EXPECT_EQ(drives[1].label, "");
    EXPECT_EQ(drives[1].kind, "Net");
    EXPECT_EQ(drives[2].root, stick);
    EXPECT_EQ(drives[2].label, "MY STICK");
    EXPECT_EQ(drives[2].kind, "Rem");
}

} // namespace
} // namespace arbolink
