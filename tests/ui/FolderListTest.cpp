// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FolderList.h"

#include <gtest/gtest.h>

namespace arbolink {
namespace {

TEST(FolderListTest, FilesATypedFolderByThePlatformsCaseRule) {
    if constexpr (kFolderNamesIgnoreCase) {
        EXPECT_EQ(ListedFolder("C:\\DATA\\Ｆｏｔｏ写真"), "c:\\data\\Ｆｏｔｏ写真");
    } else {
        EXPECT_EQ(ListedFolder("/home/User/DATA"), "/home/User/DATA");
    }
    EXPECT_EQ(ListedFolder(""), "");
}

TEST(FolderListTest, ComparesEntriesByThePlatformsCaseRule) {
    EXPECT_TRUE(SameListedFolder("/media/usb", "/media/usb"));
    EXPECT_FALSE(SameListedFolder("/media/usb", "/media/usb2"));
    EXPECT_EQ(SameListedFolder("/media/USB", "/media/usb"), kFolderNamesIgnoreCase);
    // Multi-byte characters are compared byte for byte on every platform.
    EXPECT_FALSE(SameListedFolder("/写真", "/動画"));
    EXPECT_TRUE(SameListedFolder("/写真", "/写真"));
}

} // namespace
} // namespace arbolink
