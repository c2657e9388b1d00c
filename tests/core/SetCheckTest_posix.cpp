// SPDX-License-Identifier: GPL-3.0-or-later
// The check of one disk folder against its map entries, file by file.
#include "core/rFile/SetCheck.h"

#include "core/CopyReasons.h"
#include "core/rFile/CheckMessages.h"
#include "fs/Folders.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace arbolink {
namespace {

using test::TempFolder;

FileCheck Recorded(const std::string& stored, const std::string& contents, bool withDigest = true) {
    FileCheck file;
    file.entry.stored = stored;
    file.entry.disk = 1;
    file.entry.size = static_cast<std::int64_t>(contents.size());
    if (withDigest) {
        file.entry.digest = Sha256Of(contents);
    }
    file.path = "docs/" + stored;
    return file;
}

// A link or a FIFO under a stored name is never opened, however its target looks; a file
// whose digest no map knows is found but not judged; a file only differing in letter case is
// missing, as a restore would not find it either; and Cancel leaves the rest unread.
TEST(SetCheck, EveryStoredFileIsJudgedByItsOwnBytesOnly) {
    TempFolder disk;
    const std::string folder = AddBackslash(disk.path());
    disk.WriteFile("good", "good bytes");
    disk.WriteFile("target", "link bytes");
    std::filesystem::create_symlink(disk / "target", disk / "link");
    ASSERT_EQ(mkfifo((disk / "fifo").c_str(), 0600), 0);
    disk.WriteFile("old", "no digest");
    disk.WriteFile("Case", "case bytes");
    disk.WriteFile("late", "late bytes");

    std::vector<FileCheck> files{
        Recorded("good", "good bytes"), Recorded("link", "link bytes"),
        Recorded("fifo", ""),           Recorded("old", "no digest", false),
        Recorded("case", "case bytes"), Recorded("gone", "gone"),
        Recorded("late", "late bytes"),
    };
    std::vector<std::string> asked;
    const bool whole = CheckDiskFiles(folder, files, [&](const FileCheck& file, std::int64_t read) {
        if (read == 0) {
            asked.push_back(file.entry.stored);
        }
        return file.entry.stored != "late";
    });
    EXPECT_FALSE(whole);
    EXPECT_EQ(asked,
              (std::vector<std::string>{"good", "link", "fifo", "old", "case", "gone", "late"}));
    EXPECT_EQ(files[0].state, FileState::Good);
    EXPECT_EQ(files[1].state, FileState::Damaged);
    EXPECT_EQ(files[1].reason, msg::kReasonNotRegular);
    EXPECT_EQ(files[2].state, FileState::Damaged);
    EXPECT_EQ(files[2].reason, msg::kReasonNotRegular);
    EXPECT_EQ(files[3].state, FileState::Unchecked);
    EXPECT_EQ(files[4].state, FileState::Missing);
    EXPECT_EQ(files[5].state, FileState::Missing);
    EXPECT_EQ(files[6].state, FileState::Skipped);

    // A folder that cannot be listed makes its files unreadable, never missing.
    std::vector<FileCheck> unlisted{Recorded("good", "good bytes")};
    EXPECT_TRUE(CheckDiskFiles(folder + "nowhere/", unlisted,
                               [](const FileCheck&, std::int64_t) { return true; }));
    EXPECT_EQ(unlisted[0].state, FileState::Damaged);
    EXPECT_EQ(unlisted[0].reason, msg::kReasonFolderUnreadable);
}

} // namespace
} // namespace arbolink
