// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rFile/RestoreCommand.h"

#include "core/rFile/RestoreMessages.h"
#include "support/DiskSetFixture.h"
#include "support/TreeSnapshot_posix.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <string>
#include <sys/mount.h>
#include <unistd.h>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::DiskSetFixture;
using test::ScriptedHost;

class RestoreFolderCheckTest : public ::testing::Test {
protected:
    RestoreFolderCheckTest() {
        set.UseFields(host);
        set.WriteSet("s", {{"", "a.txt", "a.txt", 1, "new a"}}, 1);
        set.Insert(1);
    }

    Session session;
    ScriptedHost host;
    DiskSetFixture set;
};

// A restore folder the run could not write into ends the command with a message naming it
// before any disk is asked for: a file in its place, a file among its parents, a read-only
// file system with the folder missing or present.
TEST_F(RestoreFolderCheckTest, ARestoreFolderThatTakesNoFilesIsRefusedBeforeAnyDisk) {
    set.root.WriteFile("file", "keep");
    const std::string readOnly = set.root / "ro";
    set.root.MakeFolder("ro/there");
    bool mounted =
        getuid() == 0 && mount("tmpfs", readOnly.c_str(), "tmpfs", MS_RDONLY, "size=64k") == 0;
    if (mounted) {
        // Remounted with a folder in it: a read-only tmpfs starts empty.
        umount(readOnly.c_str());
        ASSERT_EQ(mount("tmpfs", readOnly.c_str(), "tmpfs", 0, "size=64k"), 0);
        stdfs::create_directory(readOnly + "/there");
        ASSERT_EQ(mount("", readOnly.c_str(), "", MS_REMOUNT | MS_RDONLY, nullptr), 0);
    }
    struct Case {
        std::string target;
        std::vector<std::string> texts;
        std::vector<Button> answers;
    };
    std::vector<Case> cases{
        {set.root / "file", {msg::kRestoreFolderIsFile + set.root / "file"}, {}},
        {set.root / "file/sub",
         {msg::kCreateRestoreFolder, msg::kRestoreFolderNotCreated + set.root / "file/sub"},
         {Button::Yes}},
    };
    if (mounted) {
        cases.push_back(
            {readOnly + "/new",
             {msg::kCreateRestoreFolder, msg::kRestoreFolderNotCreated + readOnly + "/new"},
             {Button::Yes}});
        cases.push_back(
            {readOnly + "/there", {msg::kRestoreFolderReadOnly + readOnly + "/there"}, {}});
    }
    const test::TreeSnapshot before = test::SnapshotOf(set.root.path());
    for (const Case& c : cases) {
        ScriptedHost refused;
        refused.fields = host.fields;
        refused.fields.restoreTo = c.target;
        // A disk folder that is not there yet would be asked about: the restore folder's
        // fault must be told first.
        refused.fields.destination = set.root / "disks to come";
        for (Button answer : c.answers) {
            refused.Answer(answer);
        }
        BitBtn3Click(session, refused);
        EXPECT_EQ(refused.DialogTexts(), c.texts) << c.target;
        EXPECT_EQ(refused.dialogs.back().kind, DialogKind::Error) << c.target;
        EXPECT_TRUE(refused.progress.empty()) << c.target;
    }
    if (mounted) {
        umount(readOnly.c_str());
    } else {
        std::cout << "[  SKIPPED ] the read-only cases need the right to mount tmpfs\n";
    }
    EXPECT_EQ(test::Differences(before, test::SnapshotOf(set.root.path())),
              std::vector<std::string>{});
}

} // namespace
} // namespace arbolink
