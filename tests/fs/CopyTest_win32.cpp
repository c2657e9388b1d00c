// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Copy.h"

#include "fs/Folders.h"
#include "fs/WideText_win32.h"
#include "support/PatternBytes.h"
#include "support/TempFolder.h"
#include "support/WindowsNames_win32.h"

#include <algorithm>
#include <cerrno>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace arbolink {
namespace {

using test::kOutsideAnsi;
using test::PatternBytes;
using test::TempFolder;

constexpr std::size_t kMiB = std::size_t{1} << 20;

std::vector<std::string> EntriesOf(const std::string& folder) {
    std::vector<FolderEntry> entries;
    ListFolder(AddBackslash(folder), false, entries);
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries) {
        names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Lets every copy go on, whether or not it is told the bytes.
constexpr auto Always = [](auto...) { return true; };

FILETIME LastWriteOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

DWORD AttributesOf(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str());
}

TEST(CopyOneFile, CopiesEveryByteAcrossChunksUnderAnyName) {
    ASSERT_TRUE(test::LostInAnsiCodePage(kOutsideAnsi));
    TempFolder folder;
    const std::string contents = PatternBytes(17 * kMiB + 123);
    folder.WriteFile("in/" + kOutsideAnsi + ".bin", contents);
    folder.MakeFolder(kOutsideAnsi);
    int calls = 0;
    CopyResult result = CopyOneFile(folder / ("in/" + kOutsideAnsi + ".bin"),
                                    folder / (kOutsideAnsi + "/" + kOutsideAnsi + ".bin"), [&] {
                                        ++calls;
                                        return true;
                                    });
    EXPECT_EQ(result, CopyResult::Copied);
    EXPECT_TRUE(folder.ReadFile(kOutsideAnsi + "/" + kOutsideAnsi + ".bin") == contents);
    EXPECT_EQ(calls, 2); // three chunks of 8 MiB, no pause after the last
    EXPECT_EQ(EntriesOf(folder / kOutsideAnsi), std::vector<std::string>{kOutsideAnsi + ".bin"});
}

TEST(CopyOneFile, KeepsAttributesAndLastWriteTime) {
    TempFolder folder;
    folder.WriteFile("new.txt", "new contents");
    folder.WriteFile("old.txt", "older and longer contents");
    const std::wstring source = Widen(folder / "new.txt");
    HANDLE file =
        CreateFileW(source.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const FILETIME written{0x12345600, 0x01D00000};
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
    CloseHandle(file);
    const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesW(source.c_str(), kept));

    EXPECT_EQ(CopyOneFile(folder / "new.txt", folder / "old.txt", Always), CopyResult::Copied);
    EXPECT_EQ(folder.ReadFile("old.txt"), "new contents");
    EXPECT_EQ(AttributesOf(folder / "old.txt") & (kept | FILE_ATTRIBUTE_SYSTEM), kept);
    const FILETIME copied = LastWriteOf(folder / "old.txt");
    EXPECT_EQ(copied.dwLowDateTime, written.dwLowDateTime);
    EXPECT_EQ(copied.dwHighDateTime, written.dwHighDateTime);
    SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(Widen(folder / "old.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(CopyOneFile, LeavesASourceOfAnotherSizeThanExpectedAlone) {
    TempFolder folder;
    folder.WriteFile("grown.txt", "grown since it was counted");
    folder.WriteFile("target.txt", "kept");
    int error = 0;
    EXPECT_EQ(CopyOneFile(folder / "grown.txt", folder / "target.txt", Always, error, 5),
              CopyResult::SizeChanged);
    EXPECT_EQ(folder.ReadFile("target.txt"), "kept");
    EXPECT_EQ(EntriesOf(folder.path()), (std::vector<std::string>{"grown.txt", "target.txt"}));
    EXPECT_EQ(CopyOneFile(folder / "grown.txt", folder / "target.txt", Always, error, 26),
              CopyResult::Copied);
    EXPECT_EQ(folder.ReadFile("target.txt"), "grown since it was counted");
}

TEST(CopyOneFile, CancelKeepsTheFileItWouldHaveReplaced) {
    TempFolder folder;
    folder.WriteFile("big.bin", PatternBytes(10 * kMiB));
    folder.WriteFile("out/big.bin", "the earlier copy");
    EXPECT_EQ(CopyOneFile(folder / "big.bin", folder / "out/big.bin", [] { return false; }),
              CopyResult::Cancelled);
    EXPECT_EQ(folder.ReadFile("out/big.bin"), "the earlier copy");
    EXPECT_EQ(EntriesOf(folder / "out"), std::vector<std::string>{"big.bin"});
}

TEST(CopyOneFile, FailuresNameTheReasonAndLeaveNothingBehind) {
    TempFolder folder;
    folder.WriteFile("a.txt", "a");
    folder.MakeFolder("taken");
    int error = 0;
    EXPECT_EQ(CopyOneFile(folder / "missing", folder / "missing.copy", Always, error),
              CopyResult::Failed);
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(CopyOneFile(folder / "taken", folder / "taken.copy", Always, error),
              CopyResult::Failed);
    EXPECT_EQ(error, EINVAL);
    EXPECT_EQ(CopyOneFile(folder / "a.txt", folder / "nowhere/a.txt", Always, error),
              CopyResult::Failed);
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(CopyOneFile(folder / "a.txt", folder / "taken", Always), CopyResult::Failed);
    EXPECT_TRUE(FolderExists(folder / "taken"));
    EXPECT_EQ(EntriesOf(folder.path()), (std::vector<std::string>{"a.txt", "taken"}));
}

TEST(FlushFileSystem, AnswersForAFolderThatIsThere) {
    TempFolder folder;
    int error = 0;
    EXPECT_TRUE(FlushFileSystem(folder.path(), error));
    EXPECT_FALSE(FlushFileSystem(folder / "missing", error));
    EXPECT_EQ(error, ENOENT);
}

TEST(CopyOneFile, ASourceThatGrowsWhileCopiedIsCutAtItsSizeAndLeftOut) {
    TempFolder folder;
    const std::int64_t planned = 20 * kMiB;
    folder.WriteFile("grows.bin", PatternBytes(20 * kMiB));
    folder.WriteFile("out/grows.bin", "the earlier copy");
    int pauses = 0;
    // Another program appends 8 MiB to the file at every pause of the copy.
    auto grow = [&](std::int64_t) {
        ++pauses;
        HANDLE file =
            CreateFileW(Widen(folder / "grows.bin").c_str(), FILE_APPEND_DATA,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        const std::string more = PatternBytes(8 * kMiB);
        DWORD written = 0;
        WriteFile(file, more.data(), static_cast<DWORD>(more.size()), &written, nullptr);
        CloseHandle(file);
        return written == more.size();
    };
    CopyOutcome outcome = CopyFileTo(folder / "grows.bin", folder / "out/grows.bin", grow, planned,
                                     SourceLinks::Follow);
    EXPECT_EQ(outcome.result, CopyResult::SizeChanged);
    EXPECT_EQ(pauses, 2); // three chunks of the planned size and no more
    EXPECT_EQ(folder.ReadFile("out/grows.bin"), "the earlier copy");
    EXPECT_EQ(EntriesOf(folder / "out"), std::vector<std::string>{"grows.bin"});
}

TEST(CopyFileBelow, StopsAtAFileInTheWayAndTellsTheSides) {
    TempFolder folder;
    folder.WriteFile("src.txt", "restored");
    folder.WriteFile("root/a/file", "a file, not a folder");
    const std::string root = folder / "root\\";
    CopyOutcome blocked = CopyFileBelow(folder / "src.txt", root, "a\\file\\new.txt", Always,
                                        SourceLinks::Refuse, {});
    EXPECT_EQ(blocked.result, CopyResult::Failed);
    EXPECT_EQ(blocked.side, CopySide::Target);
    EXPECT_EQ(blocked.error, ENOTDIR);
    EXPECT_EQ(blocked.blockedAt, root + "a\\file");
    CopyOutcome missing =
        CopyFileBelow(folder / "gone.txt", root, "a\\new.txt", Always, SourceLinks::Refuse, {});
    EXPECT_EQ(missing.side, CopySide::Source);
    EXPECT_EQ(missing.error, ENOENT);
    EXPECT_EQ(CopyFileBelow(folder / "src.txt", root, "a\\new.txt", Always, SourceLinks::Refuse, {})
                  .result,
              CopyResult::Copied);
    EXPECT_EQ(folder.ReadFile("root/a/new.txt"), "restored");

    FolderWalkStop stop;
    EXPECT_FALSE(CreateFoldersBelow(root, "a\\file\\deeper\\", stop));
    EXPECT_EQ(stop.error, ENOTDIR);
    EXPECT_TRUE(CreateFoldersBelow(root, "b\\c\\", stop));
    EXPECT_TRUE(FolderExists(folder / "root/b/c"));
    EXPECT_EQ(EntriesOf(folder / "root/a"), (std::vector<std::string>{"file", "new.txt"}));
}

TEST(RemoveTemporaryFiles, RemovesOnlyTheProgramsOwnNames) {
    TempFolder folder;
    const std::string temporary = TemporaryName();
    ASSERT_TRUE(IsTemporaryName(temporary));
    folder.WriteFile(temporary, "half written");
    folder.WriteFile(".arbolink-copy-notes.txt", "mine");
    folder.MakeFolder(TemporaryName());
    EXPECT_TRUE(RemoveTemporaryFiles(folder.path()));
    const std::vector<std::string> kept = EntriesOf(folder.path());
    EXPECT_EQ(kept.size(), 2u);
    EXPECT_EQ(std::count(kept.begin(), kept.end(), temporary), 0);
}

} // namespace
} // namespace arbolink
