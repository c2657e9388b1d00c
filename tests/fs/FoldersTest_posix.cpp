// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Folders.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace arbolink {
namespace {

using test::TempFolder;

TEST(AddBackslash, AppendsExactlyOneSeparator) {
    EXPECT_EQ(AddBackslash(""), "/");
    EXPECT_EQ(AddBackslash("/media/usb"), "/media/usb/");
    EXPECT_EQ(AddBackslash("/media/usb/"), "/media/usb/");
    EXPECT_EQ(AddBackslash("/data/表"), "/data/表/");
    EXPECT_EQ(AddBackslash("/data/a\\"), "/data/a\\/"); // "\" is a character on Linux
}

TEST(IndexFolders, ConvertBetweenSeparators) {
    EXPECT_EQ(ToIndexFolder("docs/old/"), "docs\\old\\");
    EXPECT_EQ(FromIndexFolder("docs\\old\\"), "docs/old/");
    EXPECT_EQ(ToIndexFolder(""), "");
}

TEST(IndexFolders, AppendConvertsOnlyTheAppendedFolder) {
    std::string path = "/src/a\\b/"; // "\" in the prefix is part of a name here
    AppendFromIndexFolder(path, "docs\\old\\");
    EXPECT_EQ(path, "/src/a\\b/docs/old/");
    AppendFromIndexFolder(path, "");
    EXPECT_EQ(path, "/src/a\\b/docs/old/");
}

TEST(FolderHasEntries, SeesHiddenEntriesAndNothingInEmptyOrMissingFolders) {
    TempFolder root;
    root.MakeFolder("empty");
    root.WriteFile("hidden/.secret", "");
    EXPECT_FALSE(FolderHasEntries(root / "empty"));
    EXPECT_TRUE(FolderHasEntries(root / "hidden"));
    EXPECT_FALSE(FolderHasEntries(root / "missing"));
    EXPECT_TRUE(FolderHasEntries(root.path()));
}

TEST(DeleteFolderContents, KeepsOnlyTheFolderBeingEmptied) {
    TempFolder root;
    root.WriteFile("out/a.txt", "a");
    root.WriteFile("out/sub/deep/b.txt", "b");
    root.WriteFile("out/ro/c.txt", "c");
    chmod((root / "out/ro/c.txt").c_str(), 0444);
    chmod((root / "out/ro").c_str(), 0555);
    root.WriteFile("outside/keep.txt", "k");
    ASSERT_EQ(symlink((root / "outside").c_str(), (root / "out/link").c_str()), 0);

    const std::string out = root / "out";
    EXPECT_TRUE(DeleteFolderContents(out, out));
    EXPECT_TRUE(FolderExists(out));
    EXPECT_FALSE(FolderHasEntries(out));
    EXPECT_TRUE(FileExists(root / "outside/keep.txt")); // the link went, not its target

    // With the separator the two texts differ, so the folder itself goes too.
    root.WriteFile("out/x", "x");
    EXPECT_TRUE(DeleteFolderContents(out, out + "/"));
    EXPECT_FALSE(FolderExists(out));
}

TEST(DeleteFolderContents, GoesOnAfterAFailureAndSaysSo) {
    TempFolder root;
    root.WriteFile("out/a/one", "1");
    root.WriteFile("out/b/two", "2");
    root.WriteFile("out/c", "3");
    // A folder that cannot be removed: a file system mounted on it, where mounting works.
    const std::string mountPoint = root / "out/b/mnt";
    root.MakeFolder("out/b/mnt");
    const bool mounted = mount("none", mountPoint.c_str(), "tmpfs", 0, "size=64k") == 0;
    if (!mounted) {
        GTEST_SKIP() << "mounting a tmpfs is not allowed here, so no undeletable entry can be made";
    }
    root.WriteFile("out/b/mnt/inside", "kept");
    const std::string out = root / "out";
    EXPECT_FALSE(DeleteFolderContents(out, out));
    EXPECT_TRUE(FileExists(root / "out/b/mnt/inside")); // another volume is never entered
    EXPECT_FALSE(FolderExists(root / "out/a"));
    EXPECT_FALSE(FileExists(root / "out/c"));
    EXPECT_FALSE(FileExists(root / "out/b/two"));
    EXPECT_TRUE(FolderExists(root / "out/b"));
    umount(mountPoint.c_str());
}

TEST(FoldersOverlap, OneFolderInsideTheOtherAsTheFileSystemResolvesThem) {
    TempFolder root;
    root.MakeFolder("a/b");
    root.MakeFolder("ab");
    ASSERT_EQ(symlink((root / "a/b").c_str(), (root / "link").c_str()), 0);
    EXPECT_TRUE(FoldersOverlap(root / "a", root / "a/b/"));
    EXPECT_TRUE(FoldersOverlap(root / "a/b", root / "a"));
    EXPECT_TRUE(FoldersOverlap(root / "a/", root / "a"));
    EXPECT_TRUE(FoldersOverlap(root / "a/b/../b/new", root / "link"));
    EXPECT_FALSE(FoldersOverlap(root / "a", root / "ab"));
    EXPECT_FALSE(FoldersOverlap(root / "a/b", root / "ab/b"));
}

TEST(Folders, CreateWithParentsAndListWithKinds) {
    TempFolder root;
    EXPECT_TRUE(CreateFolders(root / "a/b/c"));
    EXPECT_TRUE(FolderExists(root / "a/b/c"));
    EXPECT_FALSE(CreateFolders(""));
    root.WriteFile("a/file", "12345");
    ASSERT_EQ(symlink("file", (root / "a/link").c_str()), 0);
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(ListFolder(AddBackslash(root / "a"), true, entries));
    ASSERT_EQ(entries.size(), 3u);
    for (const FolderEntry& entry : entries) {
        if (entry.name == "b") {
            EXPECT_EQ(entry.kind, EntryKind::Folder);
        } else {
            EXPECT_EQ(entry.kind, EntryKind::File) << entry.name;
            EXPECT_EQ(entry.size, 5);
        }
    }
    EXPECT_FALSE(ListFolder(AddBackslash(root / "missing"), false, entries));
    EXPECT_EQ(FileSizeOf(root / "a/file"), 5);
    EXPECT_EQ(FileSizeOf(root / "a/b"), -1);
}

TEST(Folders, DriveRootsAreMountPoints) {
    EXPECT_TRUE(IsDriveRoot("/"));
    TempFolder root;
    root.MakeFolder("plain");
    EXPECT_FALSE(IsDriveRoot(root / "plain"));
    const std::string mountPoint = root / "disk";
    root.MakeFolder("disk");
    if (mount("none", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    }
    EXPECT_TRUE(IsDriveRoot(mountPoint));
    EXPECT_TRUE(IsDriveRoot(mountPoint + "/"));
    umount(mountPoint.c_str());
}

TEST(Folders, AtomicWritesReplaceWholeFiles) {
    TempFolder root;
    const std::string path = root / "settings";
    ASSERT_TRUE(WriteFileAtomically(path, "first"));
    ASSERT_TRUE(WriteFileAtomically(path, "second"));
    std::string read;
    ASSERT_TRUE(ReadWholeFile(path, read, 100));
    EXPECT_EQ(read, "second");
    EXPECT_FALSE(ReadWholeFile(path, read, 3)); // larger than allowed
    EXPECT_FALSE(WriteFileAtomically(root / "missing/settings", "x"));
}

} // namespace
} // namespace arbolink
