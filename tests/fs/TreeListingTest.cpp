// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/TreeListing.h"

#include <gtest/gtest.h>

namespace arbolink {
namespace {

TEST(TreeNames, SkipsTheVolumeInformationFolderByExactNameAndHiddenOnesOnRequest) {
    EXPECT_FALSE(IsListedName("System Volume Information", true));
    EXPECT_TRUE(IsListedName("system volume information", true));
    EXPECT_TRUE(IsListedName(".config", true));
    EXPECT_FALSE(IsListedName(".config", false));
    EXPECT_TRUE(IsListedName("a.b", false));
}

TEST(TreeNames, MatchTheMaskByTheLastExtensionInAnyCase) {
    EXPECT_TRUE(MatchesFileMask("photo.JPG", {}));
    EXPECT_TRUE(MatchesFileMask("photo.JPG", {".txt", ".jpg"}));
    EXPECT_TRUE(MatchesFileMask("a.tar.gz", {".GZ"}));
    EXPECT_FALSE(MatchesFileMask("a.tar.gz", {".tar"}));
    EXPECT_FALSE(MatchesFileMask("README", {".txt"}));
    EXPECT_TRUE(MatchesFileMask(".profile", {".PROFILE"}));
    EXPECT_TRUE(MatchesFileMask("表.ÄRG", {".ärg"})); // beyond ASCII too
}

} // namespace
} // namespace arbolink
