// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Folders.h"

#include "fs/WideText_win32.h"
#include "support/TempFolder.h"
#include "support/WindowsNames_win32.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>
#include <winioctl.h>

namespace arbolink {
namespace {

using test::kOutsideAnsi;
using test::TempFolder;

void SetAttributes(const std::string& path, DWORD attributes) {
    ASSERT_TRUE(SetFileAttributesW(Widen(path).c_str(), attributes)) << path;
}

// Makes link a junction to target, as mklink /j does; false where the file system or the
// system (Wine before version 9) has no junctions.
bool MakeJunction(const std::string& link, const std::string& target) {
    if (!CreateDirectoryW(Widen(link).c_str(), nullptr)) {
        return false;
    }
    HANDLE handle = CreateFileW(Widen(link).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const std::wstring substitute = L"\\??\\" + Widen(target);
    const std::wstring print = Widen(target);
    // REPARSE_DATA_BUFFER of a mount point: tag, length, reserved, then four offsets and
    // lengths and the two names, each ending in a zero.
    std::vector<WORD> data(8 + substitute.size() + print.size() + 2, 0);
    auto* tag = reinterpret_cast<DWORD*>(data.data());
    *tag = IO_REPARSE_TAG_MOUNT_POINT;
    const auto substituteBytes = static_cast<WORD>(substitute.size() * 2);
    const auto printBytes = static_cast<WORD>(print.size() * 2);
    data[2] = static_cast<WORD>(8 + substituteBytes + 2 + printBytes + 2);
    data[4] = 0;
    data[5] = substituteBytes;
    data[6] = static_cast<WORD>(substituteBytes + 2);
    data[7] = printBytes;
    std::copy(substitute.begin(), substitute.end(), data.begin() + 8);
    std::copy(print.begin(), print.end(), data.begin() + 8 + substitute.size() + 1);
    DWORD returned = 0;
    BOOL made =
        DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, data.data(),
                        static_cast<DWORD>(data.size() * 2), nullptr, 0, &returned, nullptr);
    CloseHandle(handle);
    if (!made) {
        RemoveDirectoryW(Widen(link).c_str());
    }
    return made != 0;
}

TEST(AddBackslash, DriveLettersAndRoots) {
    EXPECT_EQ(AddBackslash("a:"), "a:\\");
    EXPECT_EQ(AddBackslash("a:\\"), "a:\\");
    EXPECT_EQ(AddBackslash(""), "\\");
    EXPECT_EQ(AddBackslash("c:\\data\\表"), "c:\\data\\表\\");
    EXPECT_EQ(ToIndexFolder("docs\\old\\"), "docs\\old\\");
    EXPECT_EQ(FromIndexFolder("docs\\old\\"), "docs\\old\\");
}

TEST(IsDriveRoot, OnlyALetterAColonAndTheSeparator) {
    EXPECT_TRUE(IsDriveRoot("a:\\"));
    EXPECT_TRUE(IsDriveRoot("A:"));
    EXPECT_TRUE(IsDriveRoot("z:\\"));
    EXPECT_FALSE(IsDriveRoot("a:\\data"));
    EXPECT_FALSE(IsDriveRoot("\\\\server\\share\\"));
    EXPECT_FALSE(IsDriveRoot("1:\\"));
    EXPECT_FALSE(IsDriveRoot(""));
}

TEST(SameFileName, IgnoresLetterCaseAsTheFileSystemsDo) {
    EXPECT_TRUE(SameFileName("Data", "dATA"));
    EXPECT_TRUE(SameFileName("ärger", "ÄRGER"));
    EXPECT_FALSE(SameFileName("data", "data2"));
}

TEST(FoldersOverlap, InEitherLetterCaseEitherSlashAndAnyName) {
    TempFolder root;
    root.MakeFolder("a/b");
    root.MakeFolder("ab");
    root.MakeFolder("表/" + kOutsideAnsi);
    root.MakeFolder("한");
    EXPECT_TRUE(FoldersOverlap(root / "A", root / "a/b"));
    EXPECT_TRUE(FoldersOverlap(root.path() + "/a/B/", root / "a"));
    EXPECT_TRUE(FoldersOverlap(root / "a/b/../b/new", root / "A"));
    EXPECT_TRUE(FoldersOverlap(root / "表", root / ("表/" + kOutsideAnsi)));
    EXPECT_FALSE(FoldersOverlap(root / "a", root / "ab"));
    // Names the ANSI code page would turn into the same question marks stay apart.
    EXPECT_FALSE(FoldersOverlap(root / "表", root / ("한/" + kOutsideAnsi)));
}

TEST(FolderHasEntries, SeesHiddenAndSystemFilesAndNothingElsewhere) {
    TempFolder root;
    root.MakeFolder("empty");
    root.WriteFile("hidden/secret", "");
    SetAttributes(root / "hidden/secret", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_FALSE(FolderHasEntries(root / "empty"));
    EXPECT_TRUE(FolderHasEntries(root / "hidden"));
    EXPECT_TRUE(FolderHasEntries(root / "hidden\\"));
    EXPECT_FALSE(FolderHasEntries(root / "missing"));
}

TEST(DeleteFolderContents, ClearsReadOnlyEntriesAndKeepsTheFolderBeingEmptied) {
    ASSERT_TRUE(test::LostInAnsiCodePage(kOutsideAnsi));
    TempFolder root;
    root.WriteFile("out/a.txt", "a");
    root.WriteFile("out/" + kOutsideAnsi + "/deep/" + kOutsideAnsi + ".txt", "b");
    root.WriteFile("out/ro/c.txt", "c");
    root.WriteFile("out/hidden.txt", "h");
    SetAttributes(root / "out/ro/c.txt", FILE_ATTRIBUTE_READONLY);
    SetAttributes(root / "out/ro", FILE_ATTRIBUTE_READONLY);
    SetAttributes(root / "out/hidden.txt",
                  FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);

    const std::string out = root / "out";
    EXPECT_TRUE(DeleteFolderContents(out, out));
    EXPECT_TRUE(FolderExists(out));
    EXPECT_FALSE(FolderHasEntries(out));

    // With the separator the two texts differ, so the folder itself goes too.
    root.WriteFile("out/x", "x");
    EXPECT_TRUE(DeleteFolderContents(out, out + "\\"));
    EXPECT_FALSE(FolderExists(out));
}

TEST(DeleteFolderContents, GoesOnAfterAFileInUseAndSaysSo) {
    TempFolder root;
    root.WriteFile("out/a/one", "1");
    root.WriteFile("out/b/busy", "2");
    root.WriteFile("out/b/two", "2");
    root.WriteFile("out/c", "3");
    // Open without sharing deletion: the file cannot be deleted while the handle lives.
    HANDLE busy = CreateFileW(Widen(root / "out/b/busy").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(busy, INVALID_HANDLE_VALUE);
    const std::string out = root / "out";
    EXPECT_FALSE(DeleteFolderContents(out, out));
    CloseHandle(busy);
    EXPECT_TRUE(FileExists(root / "out/b/busy"));
    EXPECT_FALSE(FileExists(root / "out/b/two"));
    EXPECT_FALSE(FolderExists(root / "out/a"));
    EXPECT_FALSE(FileExists(root / "out/c"));
}

TEST(DeleteFolderContents, RemovesAJunctionWithoutEnteringIt) {
    TempFolder root;
    root.WriteFile("outside/keep.txt", "k");
    root.MakeFolder("out");
    if (!MakeJunction(root / "out/link", root / "outside")) {
        GTEST_SKIP() << "this system makes no junctions";
    }
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(ListFolder(AddBackslash(root / "out"), false, entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].kind, EntryKind::LinkToFolder);
    EXPECT_TRUE(DeleteFolderContents(root / "out", root / "out"));
    EXPECT_FALSE(FolderHasEntries(root / "out"));
    EXPECT_TRUE(FileExists(root / "outside/keep.txt"));
}

TEST(Folders, NamesOutsideTheAnsiCodePage) {
    TempFolder root;
    const std::string folder = root / (kOutsideAnsi + "/" + kOutsideAnsi);
    EXPECT_TRUE(CreateFolders(folder));
    EXPECT_TRUE(FolderExists(folder));
    const std::string file = AddBackslash(folder) + kOutsideAnsi + ".txt";
    ASSERT_TRUE(WriteFileAtomically(file, "12345"));
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_EQ(FileSizeOf(file), 5);
    EXPECT_EQ(FileSizeOf(folder), -1);
    std::string read;
    ASSERT_TRUE(ReadWholeFile(file, read, 100));
    EXPECT_EQ(read, "12345");
    EXPECT_FALSE(ReadWholeFile(file, read, 3));
    // A file that must be plain: a folder in its place is never read, nor is a file too large.
    EXPECT_EQ(ReadPlainFile(file, read, 100), PlainRead::Read);
    EXPECT_EQ(read, "12345");
    EXPECT_EQ(ReadPlainFile(file, read, 3), PlainRead::TooLarge);
    EXPECT_EQ(ReadPlainFile(folder, read, 100), PlainRead::NotPlain);
    EXPECT_EQ(ReadPlainFile(folder + "\\none", read, 100), PlainRead::Unreadable);
    EXPECT_TRUE(EntryExists(folder));
    EXPECT_TRUE(FolderTakesFiles(folder));
    EXPECT_FALSE(FolderTakesFiles(file));

    std::vector<FolderEntry> entries;
    ASSERT_TRUE(ListFolder(AddBackslash(folder), true, entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, kOutsideAnsi + ".txt");
    EXPECT_EQ(entries[0].kind, EntryKind::File);
    EXPECT_EQ(entries[0].size, 5);
    EXPECT_FALSE(ListFolder(AddBackslash(root / "missing"), false, entries));
    EXPECT_FALSE(CreateFolders(""));
}

TEST(Folders, PathsPastTheClassicLengthLimit) {
    TempFolder root;
    std::string folder = root.path();
    while (folder.size() < 400) {
        folder += "\\" + std::string(40, 'd');
    }
    ASSERT_TRUE(CreateFolders(folder));
    const std::string file = folder + "\\f.txt";
    ASSERT_TRUE(WriteFileAtomically(file, "long"));
    EXPECT_EQ(FileSizeOf(file), 4);
    EXPECT_TRUE(DeleteFolderContents(root.path(), root.path()));
    EXPECT_FALSE(FolderHasEntries(root.path()));
}

TEST(ProgramFilePath, NamesTheRunningProgram) {
    const std::string program = ProgramFilePath();
    ASSERT_GT(program.size(), 4u);
    EXPECT_EQ(program.substr(program.size() - 4), ".exe");
    EXPECT_TRUE(FileExists(program));
}

} // namespace
} // namespace arbolink
