// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Drives.h"

#include "fs/FileSizeLimit.h"
#include "fs/Folders.h"
#include "support/ScratchFloppy_win32.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace arbolink {
namespace {

using test::kScratchRoot;
using test::ScratchFloppyTest;

// A drive letter that is not among the logical drives, as "q:\".
std::string MissingDrive() {
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter) {
        if ((drives & (DWORD{1} << (letter - 'A'))) == 0) {
            return std::string(1, static_cast<char>(letter | 0x20)) + ":\\";
        }
    }
    return {};
}

TEST(GetDriveKind, FirstCharacterNamesTheDrive) {
    const std::string missing = MissingDrive();
    ASSERT_FALSE(missing.empty());
    EXPECT_EQ(GetDriveKind(missing), "-");
    EXPECT_EQ(GetDriveKind(missing + "work"), "-");
    EXPECT_EQ(GetDriveKind(""), "-");
    EXPECT_EQ(GetDriveKind("\\\\server\\share\\"), "-");
    EXPECT_EQ(GetDriveKind("表\\data"), "-"); // a lead byte is no letter
    EXPECT_EQ(GetDriveKind("c:\\"), "HDD");
    EXPECT_EQ(GetDriveKind("C:\\windows"), "HDD");
}

TEST(DriveFreeBytes, AnswersForALetterInEitherCaseAndNotForOthers) {
    const std::string missing = MissingDrive();
    EXPECT_NE(DriveFreeBytes("c:\\"), -1);
    EXPECT_NE(DriveFreeBytes("C:\\missing\\folder"), -1); // the path itself need not exist
    EXPECT_EQ(DriveFreeBytes(missing), -1);
    EXPECT_EQ(DriveFreeBytes("\\\\server\\share\\"), -1);
    EXPECT_EQ(DriveFreeBytes(""), -1);
}

TEST(IsFolderReady, AnExistingFolderOnADriveThatAnswers) {
    test::TempFolder folder;
    EXPECT_TRUE(IsFolderReady(folder.path()));
    EXPECT_FALSE(IsFolderReady(folder / "missing"));
    EXPECT_FALSE(IsFolderReady(MissingDrive()));
}

TEST(GetDriveSpace, ClustersAndFreeBytesOrAllMinusOne) {
    test::TempFolder folder;
    std::int32_t sectors = 0;
    std::int32_t bytes = 0;
    std::int64_t freeBytes = 0;
    ASSERT_TRUE(GetDriveSpace(folder.path(), sectors, bytes, freeBytes));
    EXPECT_GT(sectors, 0);
    EXPECT_GT(bytes, 0);
    EXPECT_GT(freeBytes, 0);

    // No cluster query answers for a drive that is not there; nothing is left over from the
    // call before.
    EXPECT_FALSE(GetDriveSpace(MissingDrive(), sectors, bytes, freeBytes));
    EXPECT_EQ(sectors, -1);
    EXPECT_EQ(bytes, -1);
    EXPECT_EQ(freeBytes, -1);
    EXPECT_FALSE(GetDriveSpace(folder / "missing", sectors, bytes, freeBytes));
    EXPECT_EQ(sectors, -1);
}

TEST(GetDriveSpace, OnlyAPathThatBeginsWithItsDriveNamesOne) {
    std::int32_t sectors = 0;
    std::int32_t bytes = 0;
    std::int64_t freeBytes = 0;
    EXPECT_TRUE(GetDriveSpace("c:", sectors, bytes, freeBytes));
    // The system would take these in the current folder, which they do not name.
    for (const char* path : {"", "windows", "relative\\path", "\\windows"}) {
        EXPECT_FALSE(GetDriveSpace(path, sectors, bytes, freeBytes)) << path;
        EXPECT_EQ(freeBytes, -1) << path;
    }
}

TEST(FileSizeLimit, NoneOnTheSystemDiskOrForNoPath) {
    EXPECT_EQ(FileSizeLimit(""), -1);
    EXPECT_EQ(FileSizeLimit("c:\\"), -1);
}

using FloppyDrive = ScratchFloppyTest;

TEST_F(FloppyDrive, IsRemovableAndAnswersInEitherCase) {
    EXPECT_EQ(GetDriveKind("a:\\work"), "Rem");
    EXPECT_EQ(GetDriveKind("A:\\"), "Rem");
    EXPECT_EQ(GetDriveKind("a:"), "Rem");
    EXPECT_NE(DriveFreeBytes("a:\\"), -1);
    EXPECT_NE(DriveFreeBytes("A:\\"), -1);
    EXPECT_TRUE(IsFolderReady("a:\\"));
    EXPECT_TRUE(IsFolderReady("A:\\"));
    EXPECT_TRUE(IsDriveRoot(kScratchRoot));
}

TEST_F(FloppyDrive, EmptyingTheRootRemovesReadOnlyEntriesAndKeepsTheRoot) {
    ASSERT_TRUE(CreateFolders("a:\\sub\\深い"));
    ASSERT_TRUE(WriteFileAtomically("a:\\sub\\深い\\ro.txt", "r"));
    ASSERT_TRUE(WriteFileAtomically("a:\\top.txt", "t"));
    ASSERT_TRUE(SetFileAttributesW(L"a:\\sub\\深い\\ro.txt", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesW(L"a:\\top.txt", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesW(L"a:\\sub", FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(FolderHasEntries("a:\\"));
    EXPECT_TRUE(DeleteFolderContents("a:\\", "a:\\"));
    EXPECT_TRUE(FolderExists("a:\\"));
    EXPECT_FALSE(FolderHasEntries("a:\\")); // the empty root has no "." or ".." either
}

} // namespace
} // namespace arbolink
