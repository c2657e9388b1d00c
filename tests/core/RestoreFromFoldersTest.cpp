// SPDX-License-Identifier: GPL-3.0-or-later
// The restore run reading its disks from folders side by side, in the order given.
#include "core/DiskSupplier.h"
#include "core/Formatted.h"
#include "core/divide/DivideMessages.h"
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/RestoreRun.h"
#include "fs/Folders.h"
#include "support/DiskSetFixture.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

using test::DiskSetFixture;
using test::PlatformForm;
using test::ScriptedHost;
using test::SetFile;

// The folders named, in order; "" past the end.
class ListedFolders : public DiskSupplier {
public:
    explicit ListedFolders(std::vector<std::string> folders) : folders_(std::move(folders)) {}
    std::string Folder(std::int32_t n) override {
        ++asked;
        return n >= 1 && static_cast<std::size_t>(n) <= folders_.size()
                   ? AddBackslash(folders_[static_cast<std::size_t>(n) - 1])
                   : std::string();
    }
    int asked = 0;

private:
    std::vector<std::string> folders_;
};

// A set of three disks written as staging folders "disk1" to "disk3", and another set.
std::vector<SetFile> SixFiles() {
    return {
        {"", "top.txt", "top.txt", 1, "top"},
        {"docs\\", "a.txt", "a.txt", 1, "docs a"},
        {"docs\\old\\", "a.txt", "a.txt-0", 2, "docs old a"},
        {"写真\\", "表.jpg", "表.jpg", 2, "pic"},
        {"", "empty", "empty", 3, ""},
        {"docs\\deep\\", "z", "z", 3, "z"},
    };
}

class RestoreFromFoldersTest : public ::testing::Test {
protected:
    RestoreFromFoldersTest() {
        set.UseFields(host);
        host.fields.destination.clear(); // the folders stand for the drive
        set.root.MakeFolder("out");
        set.WriteSet("2026/12/09 10:00:00", SixFiles(), 3);
        set.WriteSet("2026/12/09 11:11:11", SixFiles(), 3, "other");
    }

    std::string Disk(const std::string& name) const { return set.root / name; }
    std::string DiskFolder(const std::string& name) const { return AddBackslash(Disk(name)); }

    void ExpectRestored(const std::vector<int>& disks) {
        for (const SetFile& file : SixFiles()) {
            std::string relative = file.folder + file.name;
            std::replace(relative.begin(), relative.end(), '\\', '/');
            const bool wanted = std::find(disks.begin(), disks.end(), file.disk) != disks.end();
            EXPECT_EQ(set.OutExists(relative), wanted) << relative;
            if (wanted) {
                EXPECT_EQ(set.Out(relative), file.contents) << relative;
            }
        }
    }

    Session session;
    ScriptedHost host;
    DiskSetFixture set;
};

TEST_F(RestoreFromFoldersTest, ReadsTheFoldersInTheirOrderWithoutAQuestion) {
    ListedFolders disks({Disk("disk3"), Disk("disk1"), Disk("disk2")});
    RestoreDisks(session, host, &disks);
    EXPECT_EQ(host.DialogTexts(), std::vector<std::string>{msg::kRestoreFinished});
    ExpectRestored({1, 2, 3});
    ASSERT_EQ(host.progress.size(), 3u);
    // Each disk's dialog tells the folder it reads.
    EXPECT_NE(host.progress[0]->message.find(Disk("disk3")), std::string::npos);
    // And names each file it restores by its place below the restore folder.
    std::vector<std::string> named = host.progress[0]->files;
    std::sort(named.begin(), named.end());
    EXPECT_EQ(named, (std::vector<std::string>{PlatformForm("docs/deep/z"), "empty"}));
}

TEST_F(RestoreFromFoldersTest, PassesOverAForeignFolderAndADiskGivenTwice) {
    ListedFolders disks(
        {Disk("disk2"), Disk("other1"), Disk("disk2"), Disk("disk1"), Disk("disk3")});
    RestoreDisks(session, host, &disks);
    EXPECT_EQ(host.DialogTexts(),
              (std::vector<std::string>{msg::kFolderOfOtherSet + DiskFolder("other1"),
                                        msg::kFolderRestoredAlready + DiskFolder("disk2"),
                                        msg::kRestoreFinished}));
    ExpectRestored({1, 2, 3});
}

// A folder without a set, first or later, and one whose identity cannot be read are named
// and passed over; the run goes on with the others. With no set in any folder it ends there.
TEST_F(RestoreFromFoldersTest, PassesOverFoldersWithoutAReadableSet) {
    set.root.MakeFolder("blank");
    set.WriteSetFiles("broken", "", "\"s\",two,3\r\n");
    ListedFolders disks({Disk("blank"), Disk("disk2"), Disk("broken"), Disk("blank"), Disk("disk1"),
                         Disk("disk3")});
    RestoreDisks(session, host, &disks);
    const std::string noSet =
        msg::kFolderWithoutSet + DiskFolder("blank") + "\n\n" + msg::kNoSetFiles;
    EXPECT_EQ(host.DialogTexts(),
              (std::vector<std::string>{noSet,
                                        msg::kFolderWithoutSet + DiskFolder("broken") + "\n\n" +
                                            SetFormatError(kIdentityFileName, 1).what(),
                                        noSet, msg::kRestoreFinished}));
    ExpectRestored({1, 2, 3});

    ScriptedHost none;
    none.fields = host.fields;
    ListedFolders blanks({Disk("blank"), Disk("broken/missing")});
    RestoreDisks(session, none, &blanks);
    EXPECT_EQ(none.DialogTexts().back(), msg::kNoFolderWithSet);
    EXPECT_EQ(none.DialogTexts().size(), 3u);
}

TEST_F(RestoreFromFoldersTest, FoldersRunningOutEndWithTheFilesNoFolderHeld) {
    ListedFolders disks({Disk("disk1"), Disk("disk3")});
    RestoreDisks(session, host, &disks);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].kind, DialogKind::Warning);
    const std::string& text = host.dialogs[0].text;
    EXPECT_TRUE(text.starts_with(msg::kRestoreFinished.c_str())) << text;
    EXPECT_NE(text.find(Formatted(msg::kNotFoundFiles, 2)), std::string::npos) << text;
    EXPECT_NE(text.find(PlatformForm("写真/表.jpg")), std::string::npos) << text;
    ExpectRestored({1, 3});
}

TEST_F(RestoreFromFoldersTest, ACancelStopsBeforeTheNextFolder) {
    ListedFolders disks({Disk("disk1"), Disk("disk2"), Disk("disk3")});
    host.PressCancel();
    RestoreDisks(session, host, &disks);
    EXPECT_EQ(host.progress.size(), 1u);
    ASSERT_FALSE(host.dialogs.empty());
    EXPECT_TRUE(host.dialogs.back().text.starts_with(msg::kCancelled.c_str()));
    EXPECT_EQ(disks.asked, 1);
}

} // namespace
} // namespace arbolink
