// SPDX-License-Identifier: GPL-3.0-or-later
// The folder tree's Win32 backends: its item operations, paths, special folders and drives.
#include "fs/ShellItems.h"

#include "fs/Drives.h"
#include "fs/Folders.h"
#include "fs/SpecialFolders.h"
#include "fs/TreePaths.h"
#include "fs/WideText_win32.h"
#include "support/ScratchFloppy_win32.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cerrno>
#include <gtest/gtest.h>
#include <windows.h>

namespace arbolink {
namespace {

using test::kScratchRoot;
using test::ScratchFloppyTest;
using test::TempFolder;

TEST(ItemNamesOnWindows, RefuseWhatWindowsCannotStore) {
    EXPECT_TRUE(IsValidItemName("新しいフォルダー"));
    EXPECT_TRUE(IsValidItemName(".hidden"));
    for (const char* bad : {"", ".", "..", "a\\b", "a/b", "a:b", "a*", "a?", "a|b", "<a>", "\"a\"",
                            "a\tb", "trailing.", "trailing "}) {
        EXPECT_FALSE(IsValidItemName(bad)) << bad;
    }
}

TEST(RenameItemOnWindows, NeverOverwritesAndTakesANewLetterCase) {
    TempFolder folder;
    folder.WriteFile("old/inner.txt", "kept");
    folder.WriteFile("taken.txt", "mine");
    folder.WriteFile("mover.txt", "moved");
    ItemResult renamed = RenameItem(folder / "old", "新");
    ASSERT_TRUE(renamed.ok) << renamed.error;
    EXPECT_EQ(renamed.path, folder / "新");
    EXPECT_EQ(folder.ReadFile("新/inner.txt"), "kept");

    ItemResult clash = RenameItem(folder / "mover.txt", "TAKEN.txt");
    EXPECT_FALSE(clash.ok);
    EXPECT_EQ(clash.error, EEXIST);
    EXPECT_EQ(folder.ReadFile("taken.txt"), "mine");
    EXPECT_EQ(folder.ReadFile("mover.txt"), "moved");

    ItemResult spelled = RenameItem(folder / "mover.txt", "Mover.TXT");
    ASSERT_TRUE(spelled.ok) << spelled.error;
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(ListFolder(AddBackslash(folder.path()), false, entries));
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(),
                            [](const FolderEntry& e) { return e.name == "Mover.TXT"; }));
    EXPECT_EQ(folder.ReadFile("Mover.TXT"), "moved");

    EXPECT_EQ(RenameItem(folder / "Mover.TXT", "a:b").error, EINVAL);
}

TEST(CopyItemOnWindows, CopiesATreeUnderAFreeNameAndNotIntoItself) {
    TempFolder folder;
    folder.WriteFile("写真/一/表.txt", "photo");
    folder.WriteFile("写真/a.txt", "a");
    folder.WriteFile("into/写真", "a file of that name");
    ItemResult copied = CopyItemInto(folder / "写真", folder / "into");
    ASSERT_TRUE(copied.ok) << copied.error;
    EXPECT_EQ(copied.path, folder / "into/写真 (2)");
    EXPECT_EQ(folder.ReadFile("into/写真 (2)/一/表.txt"), "photo");
    EXPECT_EQ(folder.ReadFile("into/写真"), "a file of that name");
    EXPECT_EQ(folder.ReadFile("写真/a.txt"), "a");

    ItemResult again = CopyItemInto(folder / "写真/a.txt", folder / "写真");
    ASSERT_TRUE(again.ok) << again.error;
    EXPECT_EQ(again.path, folder / "写真/a (2).txt");

    EXPECT_EQ(CopyItemInto(folder / "写真", folder / "写真/一").error, EINVAL);
    EXPECT_EQ(CopyItemInto(folder / "missing", folder / "into").error, ENOENT);
}

TEST(MoveItemOnWindows, RefusesWhatWouldOverwriteOrLoop) {
    TempFolder folder;
    folder.WriteFile("a/x.txt", "first");
    folder.WriteFile("b/X.TXT", "second");
    ItemResult clash = MoveItemInto(folder / "a/x.txt", folder / "b");
    EXPECT_EQ(clash.error, EEXIST);
    EXPECT_EQ(folder.ReadFile("a/x.txt"), "first");
    EXPECT_EQ(folder.ReadFile("b/X.TXT"), "second");
    EXPECT_EQ(MoveItemInto(folder / "a", folder / "a").error, EINVAL);
    EXPECT_EQ(MoveItemInto("c:\\", folder.path()).error, EBUSY);

    ItemResult stays = MoveItemInto(folder / "a/x.txt", folder / "A");
    EXPECT_TRUE(stays.ok);
    EXPECT_EQ(folder.ReadFile("a/x.txt"), "first");

    ItemResult moved = MoveItemInto(folder / "a", folder / "b");
    ASSERT_TRUE(moved.ok) << moved.error;
    EXPECT_EQ(folder.ReadFile("b/a/x.txt"), "first");
    EXPECT_FALSE(EntryExists(folder / "a"));
}

using MoveItemBetweenDrives = ScratchFloppyTest;

TEST_F(MoveItemBetweenDrives, CopiesThenRemovesTheOriginal) {
    TempFolder folder;
    folder.WriteFile("運ぶ/中/b.txt", "bee");
    ItemResult moved = MoveItemInto(folder / "運ぶ", kScratchRoot);
    ASSERT_TRUE(moved.ok) << moved.error;
    EXPECT_EQ(moved.path, kScratchRoot + "運ぶ");
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(kScratchRoot + "運ぶ\\中\\b.txt", bytes, 100));
    EXPECT_EQ(bytes, "bee");
    EXPECT_FALSE(EntryExists(folder / "運ぶ"));
}

TEST(CreateLinkOnWindows, WritesAShortcutUnderAFreeName) {
    TempFolder folder;
    folder.WriteFile("目標.txt", "t");
    ItemResult first = CreateLinkIn(folder / "目標.txt", folder.path(), "目標.txt へのリンク");
    ASSERT_TRUE(first.ok) << first.error;
    EXPECT_EQ(first.path, folder / "目標.txt へのリンク.lnk");
    // A shell link file begins with its header's size, 0x4C, as a 32-bit number.
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(first.path, bytes, 1 << 20));
    ASSERT_GE(bytes.size(), 4U);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x4C\0\0\0", 4));
    ItemResult second = CreateLinkIn(folder / "目標.txt", folder.path(), "目標.txt へのリンク");
    ASSERT_TRUE(second.ok) << second.error;
    EXPECT_EQ(second.path, folder / "目標.txt へのリンク (2).lnk");
    EXPECT_EQ(CreateLinkIn(folder / "missing", folder.path(), "m").error, ENOENT);
}

TEST(DeleteItemOnWindows, RemovesForGoodButNeverARoot) {
    TempFolder folder;
    folder.WriteFile("tree/sub/deep.txt", "d");
    folder.WriteFile("ro.txt", "r");
    ASSERT_NE(SetFileAttributesW(WidePath(folder / "ro.txt").c_str(), FILE_ATTRIBUTE_READONLY), 0);
    EXPECT_TRUE(DeleteItem(folder / "tree").ok);
    EXPECT_FALSE(EntryExists(folder / "tree"));
    EXPECT_TRUE(DeleteItem(folder / "ro.txt").ok);
    EXPECT_FALSE(EntryExists(folder / "ro.txt"));
    EXPECT_EQ(DeleteItem(folder / "missing").error, ENOENT);
    EXPECT_EQ(DeleteItem("c:\\").error, EBUSY);
}

using TrashOnRemovable = ScratchFloppyTest;

TEST(TrashItemOnWindows, TakesAnItemOffAFixedDrive) {
    TempFolder folder;
    folder.WriteFile("ごみ/f.txt", "f");
    ItemResult trashed = TrashItem(folder / "ごみ");
    ASSERT_TRUE(trashed.ok) << trashed.error;
    EXPECT_FALSE(EntryExists(folder / "ごみ"));
    EXPECT_EQ(TrashItem(folder / "missing").error, ENOENT);
    EXPECT_EQ(TrashItem("c:\\").error, EBUSY);
}

TEST_F(TrashOnRemovable, LeavesTheItemWhereNoRecycleBinIs) {
    ASSERT_TRUE(WriteFileAtomically(kScratchRoot + "keep.txt", "k"));
    EXPECT_EQ(TrashItem(kScratchRoot + "keep.txt").error, ENOTSUP);
    EXPECT_TRUE(FileExists(kScratchRoot + "keep.txt"));
}

TEST(TreePathsOnWindows, DriveRootedPathsComparedInEitherCase) {
    EXPECT_EQ(TreePathForm("c:/Users//x/./y\\"), "c:\\Users\\x\\y");
    EXPECT_EQ(TreePathForm("C:\\"), "C:\\");
    EXPECT_EQ(TreePathForm("C:/"), "C:\\");
    EXPECT_EQ(TreePathForm("C:\\a\\..\\b"), "");
    EXPECT_EQ(TreePathForm("relative\\x"), "");
    EXPECT_EQ(TreePathForm("C:x"), "");

    std::vector<std::string> names;
    ASSERT_TRUE(NamesBelow("C:\\", "c:\\Users\\表", names));
    EXPECT_EQ(names, (std::vector<std::string>{"Users", "表"}));
    ASSERT_TRUE(NamesBelow("c:\\users", "C:\\Users\\表\\x", names));
    EXPECT_EQ(names, (std::vector<std::string>{"表", "x"}));
    ASSERT_TRUE(NamesBelow("C:\\Users", "C:\\Users", names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(NamesBelow("C:\\Use", "C:\\Users", names));
    EXPECT_FALSE(NamesBelow("D:\\", "C:\\Users", names));

    std::vector<std::string> folders = {"C:\\", "c:\\users\\me", "C:\\Users", "A:\\"};
    EXPECT_EQ(ClosestFolderHolding(folders, "C:\\Users\\Me\\doc"), 1);
    EXPECT_EQ(ClosestFolderHolding(folders, "C:\\Users\\Mere"), 2);
    EXPECT_EQ(ClosestFolderHolding(folders, "a:\\x"), 3);
    EXPECT_EQ(ClosestFolderHolding(folders, "E:\\x"), -1);
    EXPECT_EQ(ChildPath("C:\\", "a"), "C:\\a");
    EXPECT_EQ(ChildPath("C:\\a", "b"), "C:\\a\\b");
}

TEST(SpecialFoldersOnWindows, TheShellsFoldersThatExist) {
    for (SpecialFolder folder : {SpecialFolder::Desktop, SpecialFolder::AppData,
                                 SpecialFolder::StartMenu, SpecialFolder::Programs}) {
        const std::string path = SpecialFolderPath(folder);
        EXPECT_TRUE(path.size() > 3 && path[1] == ':') << path;
        EXPECT_TRUE(FolderExists(path)) << path;
    }
    EXPECT_EQ(SpecialFolderPath(SpecialFolder::RecycleBin), "");
}

TEST(ListDrivesOnWindows, EveryLetterInOrderWithItsKindAndName) {
    std::vector<DriveEntry> drives = ListDrives();
    std::vector<std::string> roots;
    for (const DriveEntry& drive : drives) {
        roots.push_back(drive.root);
        EXPECT_EQ(drive.kind, GetDriveKind(drive.root)) << drive.root;
    }
    EXPECT_TRUE(std::is_sorted(roots.begin(), roots.end()));
    auto c = std::find(roots.begin(), roots.end(), "C:\\");
    ASSERT_NE(c, roots.end());
    const DriveEntry& system = drives[static_cast<std::size_t>(c - roots.begin())];
    EXPECT_EQ(system.kind, "HDD");
    EXPECT_NE(system.label.find("C:"), std::string::npos) << system.label;
    EXPECT_EQ(roots.size(), static_cast<std::size_t>(__builtin_popcount(GetLogicalDrives())));
}

} // namespace
} // namespace arbolink
