// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/ShellItems.h"

#include "support/TempFolder.h"
#include "support/TmpfsDisk_posix.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::TempFolder;

std::vector<std::string> EntriesOf(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : stdfs::recursive_directory_iterator(folder)) {
        names.push_back(entry.path().lexically_relative(folder).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ItemNames, RefuseWhatCannotNameOneEntry) {
    EXPECT_TRUE(IsValidItemName("新しいフォルダー"));
    EXPECT_TRUE(IsValidItemName(".hidden"));
    EXPECT_TRUE(IsValidItemName("a\\b")); // a character like any other here
    EXPECT_FALSE(IsValidItemName(""));
    EXPECT_FALSE(IsValidItemName("."));
    EXPECT_FALSE(IsValidItemName(".."));
    EXPECT_FALSE(IsValidItemName("a/b"));
    EXPECT_FALSE(IsValidItemName(std::string("a\0b", 3)));
}

TEST(ItemNames, NumberATakenNameBeforeItsExtension) {
    TempFolder folder;
    folder.WriteFile("a.txt", "");
    folder.WriteFile("a (2).txt", "");
    folder.MakeFolder("my.photos");
    folder.WriteFile(".profile", "");
    stdfs::create_symlink("nowhere", folder / "dangling");
    EXPECT_EQ(FreeNameIn(folder.path(), "b.txt", false), "b.txt");
    EXPECT_EQ(FreeNameIn(folder.path(), "a.txt", false), "a (3).txt");
    EXPECT_EQ(FreeNameIn(folder.path(), "my.photos", true), "my.photos (2)");
    EXPECT_EQ(FreeNameIn(folder.path(), ".profile", false), ".profile (2)");
    EXPECT_EQ(FreeNameIn(folder.path(), "dangling", false), "dangling (2)");
}

TEST(RenameItem, RenamesInPlaceAndNeverOverwrites) {
    TempFolder folder;
    folder.WriteFile("old/inner.txt", "kept");
    folder.WriteFile("taken.txt", "mine");
    ItemResult renamed = RenameItem(folder / "old", "新");
    ASSERT_TRUE(renamed.ok) << renamed.error;
    EXPECT_EQ(renamed.path, folder / "新");
    EXPECT_EQ(folder.ReadFile("新/inner.txt"), "kept");

    ItemResult taken = RenameItem(folder / "新", "taken.txt");
    EXPECT_FALSE(taken.ok);
    EXPECT_EQ(taken.error, EEXIST);
    EXPECT_EQ(folder.ReadFile("taken.txt"), "mine");

    for (const char* bad : {"", "..", "x/y"}) {
        ItemResult refused = RenameItem(folder / "新", bad);
        EXPECT_FALSE(refused.ok) << bad;
        EXPECT_EQ(refused.error, EINVAL) << bad;
    }
    EXPECT_EQ(RenameItem(folder / "missing", "x").error, ENOENT);
    EXPECT_EQ(EntriesOf(folder.path()),
              (std::vector<std::string>{"taken.txt", "新", "新/inner.txt"}));
}

TEST(RenameItem, RenamesALinkAndNotWhatItPointsAt) {
    TempFolder folder;
    folder.MakeFolder("target");
    stdfs::create_directory_symlink(folder / "target", folder / "link");
    ASSERT_TRUE(RenameItem(folder / "link", "renamed").ok);
    EXPECT_TRUE(stdfs::is_symlink(folder / "renamed"));
    EXPECT_TRUE(stdfs::is_directory(stdfs::symlink_status(folder / "target")));
}

class CopyAndMove : public ::testing::Test {
protected:
    void SetUp() override {
        folder.WriteFile("src/tree/a.txt", "alpha");
        folder.WriteFile("src/tree/sub/b.txt", "beta");
        folder.WriteFile("outside/secret.txt", "secret");
        stdfs::create_directory_symlink(folder / "outside", folder / "src/tree/out-link");
        folder.MakeFolder("dest");
    }
    TempFolder folder;
};

TEST_F(CopyAndMove, CopyTakesAFolderTreeWithItsLinksAsLinks) {
    ItemResult copied = CopyItemInto(folder / "src/tree", folder / "dest");
    ASSERT_TRUE(copied.ok) << copied.error;
    EXPECT_EQ(copied.path, folder / "dest/tree");
    EXPECT_EQ(EntriesOf(folder / "dest"),
              (std::vector<std::string>{"tree", "tree/a.txt", "tree/out-link", "tree/sub",
                                        "tree/sub/b.txt"}));
    EXPECT_EQ(folder.ReadFile("dest/tree/sub/b.txt"), "beta");
    EXPECT_TRUE(stdfs::is_symlink(folder / "dest/tree/out-link"));
    EXPECT_EQ(stdfs::read_symlink(folder / "dest/tree/out-link"), folder / "outside");
    // The same copy again takes a free name; nothing is overwritten.
    ItemResult again = CopyItemInto(folder / "src/tree", folder / "dest");
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.path, folder / "dest/tree (2)");
    ItemResult file = CopyItemInto(folder / "src/tree/a.txt", folder / "src/tree");
    EXPECT_EQ(file.path, folder / "src/tree/a (2).txt");
    EXPECT_EQ(folder.ReadFile("src/tree/a (2).txt"), "alpha");
}

TEST_F(CopyAndMove, CopyOfALinkCopiesTheLinkAndSpecialFilesAreLeftOut) {
    ItemResult link = CopyItemInto(folder / "src/tree/out-link", folder / "dest");
    ASSERT_TRUE(link.ok);
    EXPECT_TRUE(stdfs::is_symlink(folder / "dest/out-link"));
    ASSERT_EQ(mkfifo((folder / "src/tree/pipe").c_str(), 0600), 0);
    ItemResult withPipe = CopyItemInto(folder / "src/tree", folder / "dest");
    EXPECT_FALSE(withPipe.ok);
    EXPECT_EQ(withPipe.error, ENOTSUP);
    EXPECT_EQ(folder.ReadFile("dest/tree/sub/b.txt"), "beta"); // the rest is there
    EXPECT_FALSE(stdfs::exists(stdfs::symlink_status(folder / "dest/tree/pipe")));
}

TEST_F(CopyAndMove, AFolderNeverGoesIntoItself) {
    EXPECT_EQ(CopyItemInto(folder / "src/tree", folder / "src/tree/sub").error, EINVAL);
    EXPECT_EQ(CopyItemInto(folder / "src/tree", folder / "src/tree").error, EINVAL);
    EXPECT_EQ(MoveItemInto(folder / "src/tree", folder / "src/tree/sub").error, EINVAL);
    EXPECT_EQ(MoveItemInto(folder / "src", folder / "src/tree/sub/").error, EINVAL);
    EXPECT_EQ(EntriesOf(folder / "src/tree/sub"), (std::vector<std::string>{"b.txt"}));
}

TEST_F(CopyAndMove, MoveRenamesIntoTheFolderAndRefusesATakenName) {
    ItemResult moved = MoveItemInto(folder / "src/tree/a.txt", folder / "dest");
    ASSERT_TRUE(moved.ok) << moved.error;
    EXPECT_EQ(moved.path, folder / "dest/a.txt");
    EXPECT_FALSE(stdfs::exists(folder / "src/tree/a.txt"));

    folder.WriteFile("src/tree/a.txt", "second");
    ItemResult taken = MoveItemInto(folder / "src/tree/a.txt", folder / "dest");
    EXPECT_EQ(taken.error, EEXIST);
    EXPECT_EQ(folder.ReadFile("dest/a.txt"), "alpha");
    EXPECT_EQ(folder.ReadFile("src/tree/a.txt"), "second");

    ItemResult inPlace = MoveItemInto(folder / "src/tree/a.txt", folder / "src/tree/");
    EXPECT_TRUE(inPlace.ok);
    EXPECT_EQ(folder.ReadFile("src/tree/a.txt"), "second");
    EXPECT_EQ(MoveItemInto(folder / "src/missing", folder / "dest").error, ENOENT);
}

TEST_F(CopyAndMove, MoveBetweenVolumesCopiesThenRemovesAndRefusesTheVolumeRoot) {
    folder.MakeFolder("disk");
    test::TmpfsDisk disk(folder / "disk", 1024);
    if (!disk.Insert()) {
        GTEST_SKIP() << disk.error();
    }
    ItemResult moved = MoveItemInto(folder / "src/tree", folder / "disk");
    ASSERT_TRUE(moved.ok) << moved.error;
    EXPECT_FALSE(stdfs::exists(folder / "src/tree"));
    EXPECT_EQ(folder.ReadFile("disk/tree/sub/b.txt"), "beta");
    EXPECT_TRUE(stdfs::is_symlink(folder / "disk/tree/out-link"));
    EXPECT_EQ(folder.ReadFile("outside/secret.txt"), "secret");
    EXPECT_EQ(MoveItemInto(folder / "disk", folder / "dest").error, EBUSY);
    EXPECT_EQ(DeleteItem(folder / "disk").error, EBUSY);
    EXPECT_TRUE(stdfs::exists(folder / "disk/tree/a.txt"));
}

TEST_F(CopyAndMove, AFailedMoveBetweenVolumesKeepsTheOriginalAndLeavesNoPart) {
    folder.MakeFolder("disk");
    test::TmpfsDisk disk(folder / "disk", 64);
    if (!disk.Insert()) {
        GTEST_SKIP() << disk.error();
    }
    folder.WriteFile("src/tree/big.bin", std::string(256 * 1024, 'x'));
    ItemResult moved = MoveItemInto(folder / "src/tree", folder / "disk");
    EXPECT_FALSE(moved.ok);
    EXPECT_EQ(moved.error, ENOSPC);
    EXPECT_TRUE(EntriesOf(folder / "disk").empty());
    EXPECT_EQ(folder.ReadFile("src/tree/sub/b.txt"), "beta");
    EXPECT_EQ(folder.ReadFile("src/tree/big.bin").size(), 256u * 1024u);
}

TEST(CreateLinkIn, LinksToTheItemUnderAFreeName) {
    TempFolder folder;
    folder.MakeFolder("docs");
    ItemResult link = CreateLinkIn(folder / "docs", folder.path(), "docs へのリンク");
    ASSERT_TRUE(link.ok);
    EXPECT_EQ(link.path, folder / "docs へのリンク");
    EXPECT_EQ(stdfs::read_symlink(link.path), folder / "docs");
    ItemResult second = CreateLinkIn(folder / "docs", folder.path(), "docs へのリンク");
    EXPECT_EQ(second.path, folder / "docs へのリンク (2)");
    EXPECT_EQ(CreateLinkIn(folder / "docs", folder / "missing", "x").error, ENOENT);
}

TEST(DeleteItem, RemovesLinksAsLinksAndFoldersWithoutFollowingTheirLinks) {
    TempFolder folder;
    folder.WriteFile("outside/secret.txt", "secret");
    folder.WriteFile("doomed/sub/a.txt", "a");
    stdfs::create_directory_symlink(folder / "outside", folder / "doomed/out-link");
    stdfs::create_directory_symlink(folder / "outside", folder / "top-link");

    EXPECT_TRUE(DeleteItem(folder / "top-link").ok);
    EXPECT_FALSE(stdfs::exists(stdfs::symlink_status(folder / "top-link")));
    EXPECT_TRUE(DeleteItem(folder / "doomed").ok);
    EXPECT_FALSE(stdfs::exists(folder / "doomed"));
    EXPECT_EQ(folder.ReadFile("outside/secret.txt"), "secret");
    EXPECT_EQ(DeleteItem(folder / "doomed").error, ENOENT);
}

} // namespace
} // namespace arbolink
