// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/MountTable.h"

#include <gtest/gtest.h>

namespace arbolink {
namespace {

TEST(MountInfoLine, ReadsTheFieldsAroundTheOptionalOnes) {
    MountEntry entry;
    ASSERT_TRUE(ParseMountInfoLine("36 35 8:17 / /media/stick rw,nosuid shared:7 master:1 - "
                                   "vfat /dev/sdb1 rw,uid=1000",
                                   entry));
    EXPECT_EQ(entry.mountPoint, "/media/stick");
    EXPECT_EQ(entry.device, "8:17");
    EXPECT_EQ(entry.fsType, "vfat");
    EXPECT_EQ(entry.source, "/dev/sdb1");
}

TEST(MountInfoLine, DecodesTheKernelsOctalEscapes) {
    MountEntry entry;
    ASSERT_TRUE(ParseMountInfoLine(
        "36 35 8:17 / /media/my\\040stick\\011tab\\134x rw - vfat /dev/sdb1 rw", entry));
    EXPECT_EQ(entry.mountPoint, "/media/my stick\ttab\\x");
    ASSERT_TRUE(ParseMountInfoLine("36 35 0:51 / /net rw - cifs //srv/my\\040share rw", entry));
    EXPECT_EQ(entry.source, "//srv/my share");
    // A backslash not followed by three octal digits is kept as it is.
    ASSERT_TRUE(ParseMountInfoLine("36 35 8:17 / /a\\9b\\04 rw - ext4 /dev/sda1 rw", entry));
    EXPECT_EQ(entry.mountPoint, "/a\\9b\\04");
}

TEST(MountInfoLine, RefusesLinesThatAreNoMountEntry) {
    MountEntry entry;
    EXPECT_FALSE(ParseMountInfoLine("", entry));
    EXPECT_FALSE(ParseMountInfoLine("36 35 8:17 / /mnt rw shared:1 ext4 /dev/sda1 rw", entry));
    EXPECT_FALSE(ParseMountInfoLine("36 35 8:17 / /mnt rw -", entry));
    EXPECT_FALSE(ParseMountInfoLine("36 35 8:17 / relative rw - ext4 /dev/sda1 rw", entry));
}

TEST(MountHolding, TakesTheLongestMountPointOfWholeNames) {
    std::vector<MountEntry> table = {{"/", "254:0", "ext4", "/dev/vda"},
                                     {"/mnt/a", "8:1", "vfat", "/dev/sdb1"},
                                     {"/mnt/a/b", "0:40", "tmpfs", "tmpfs"}};
    EXPECT_EQ(MountHolding(table, "/mnt/a/x")->device, "8:1");
    EXPECT_EQ(MountHolding(table, "/mnt/a")->device, "8:1");
    EXPECT_EQ(MountHolding(table, "/mnt/a/b/c")->device, "0:40");
    EXPECT_EQ(MountHolding(table, "/mnt/ab")->device, "254:0");
    EXPECT_EQ(MountHolding(table, "/")->device, "254:0");
    EXPECT_EQ(MountHolding({}, "/mnt"), nullptr);
}

TEST(MountHolding, TakesTheLaterOfTwoMountsOnOneFolder) {
    std::vector<MountEntry> table = {{"/", "254:0", "ext4", "/dev/vda"},
                                     {"/mnt", "8:1", "vfat", "/dev/sdb1"},
                                     {"/mnt", "8:33", "ext4", "/dev/sdc1"}};
    EXPECT_EQ(MountHolding(table, "/mnt/x")->device, "8:33");
}

} // namespace
} // namespace arbolink
