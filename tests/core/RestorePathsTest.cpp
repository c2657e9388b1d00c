// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rFile/RestorePaths.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <string>

namespace arbolink {
namespace {

using namespace std::string_literals;

using test::PlatformForm;

TEST(RestorePaths, BuildsPlatformPathsFromIndexRows) {
    EXPECT_EQ(RestorePathOf("", "a.txt"), "a.txt");
    EXPECT_EQ(RestorePathOf("docs\\", "a.txt"), PlatformForm("docs/a.txt"));
    EXPECT_EQ(RestorePathOf("docs\\old\\deep\\", "a b,c.txt"),
              PlatformForm("docs/old/deep/a b,c.txt"));
    // A folder written without its closing separator is still the folder.
    EXPECT_EQ(RestorePathOf("docs", "a.txt"), PlatformForm("docs/a.txt"));
    // Dots inside names are names, not steps up.
    EXPECT_EQ(RestorePathOf("...\\..a\\", "..b"), PlatformForm(".../..a/..b"));
    EXPECT_EQ(RestorePathOf("表\\", "表.txt"), PlatformForm("表/表.txt"));
    EXPECT_EQ(RestoreFolderOf(""), "");
    EXPECT_EQ(RestoreFolderOf("a\\b\\"), PlatformForm("a/b/"));
}

TEST(RestorePaths, RefusesFoldersThatLeaveTheRestoreFolder) {
    for (const std::string& folder :
         {"..\\"s, "a\\..\\"s, "a\\..\\..\\"s, ".\\"s, "\\"s, "\\etc\\"s, "a\\\\b\\"s, "c:\\"s,
          "C:"s, "c:x\\"s, "a/b\\"s, "/etc\\"s, "a\0b\\"s}) {
        EXPECT_EQ(RestoreFolderOf(folder), std::nullopt) << folder;
        EXPECT_EQ(RestorePathOf(folder, "a.txt"), std::nullopt) << folder;
    }
}

TEST(RestorePaths, RefusesNamesThatAreNoFileOfTheirFolder) {
    for (const std::string& name :
         {""s, "."s, ".."s, "a/b"s, "/etc/passwd"s, "..\\x"s, "a\\b"s, "a\0b"s, "c:x"s}) {
        EXPECT_EQ(RestorePathOf("docs\\", name), std::nullopt) << name;
    }
}

} // namespace
} // namespace arbolink
