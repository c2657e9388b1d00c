// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rFile/RestoreCommand.h"

#include "core/rFile/RestoreMessages.h"
#include "support/DiskSetFixture.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::DiskSetFixture;
using test::Event;
using test::ScriptedHost;

class RestoreCommandTest : public ::testing::Test {
protected:
    RestoreCommandTest() {
        set.UseFields(host);
        set.WriteSet("s", {{"", "a.txt", "a.txt", 1, "new a"}, {"d\\", "b", "b", 1, "b"}}, 1);
        set.Insert(1);
    }

    Session session;
    ScriptedHost host;
    DiskSetFixture set;
};

TEST_F(RestoreCommandTest, BothFieldsEmptyAsksOnlyForTheDiskFolder) {
    host.fields = {};
    BitBtn3Click(session, host);
    EXPECT_EQ(host.DialogTexts(), std::vector<std::string>{msg::kSetDiskFolder});
}

TEST_F(RestoreCommandTest, AnEmptyRestoreFieldIsAskedFor) {
    host.fields.restoreTo.clear();
    BitBtn3Click(session, host);
    EXPECT_EQ(host.DialogTexts(), std::vector<std::string>{msg::kSetRestoreFolder});
}

TEST_F(RestoreCommandTest, AMissingDiskFolderIsCreatedOnYesOrItsFieldSelectedOnNo) {
    set.root.MakeFolder("out"); // the restore folder, checked first, is there
    host.fields.destination = set.root / "new/disks";
    host.Answer(Button::No, msg::kCreateDiskFolder);
    BitBtn3Click(session, host);
    EXPECT_EQ(host.DialogTexts(), std::vector<std::string>{msg::kCreateDiskFolder});
    EXPECT_EQ(host.Details(Event::Type::SelectField),
              std::vector<std::string>{std::to_string(static_cast<int>(Field::Destination))});
    EXPECT_FALSE(stdfs::exists(set.root / "new"));

    // Yes creates it; the run then finds no set there and the user gives up.
    ScriptedHost again;
    again.fields = host.fields;
    again.Answer(Button::Yes, msg::kCreateDiskFolder);
    again.Answer(Button::Abort, msg::kNoSetFiles);
    BitBtn3Click(session, again);
    EXPECT_TRUE(stdfs::is_directory(set.root / "new/disks"));
    EXPECT_EQ(again.UnusedAnswers(), 0u);
}

TEST_F(RestoreCommandTest, AMissingRestoreFolderIsCreatedAndTheSetRestoredIntoIt) {
    host.fields.restoreTo = set.root / "out/deeper";
    host.Answer(Button::Yes, msg::kCreateRestoreFolder);
    BitBtn3Click(session, host);
    EXPECT_EQ(host.DialogTexts(),
              (std::vector<std::string>{msg::kCreateRestoreFolder, msg::kRestoreFinished}));
    EXPECT_EQ(set.root.ReadFile("out/deeper/d/b"), "b");
}

TEST_F(RestoreCommandTest, NoOnAMissingRestoreFolderSelectsItsField) {
    host.Answer(Button::No, msg::kCreateRestoreFolder);
    BitBtn3Click(session, host);
    EXPECT_EQ(host.Details(Event::Type::SelectField),
              std::vector<std::string>{std::to_string(static_cast<int>(Field::RestoreTo))});
    EXPECT_FALSE(stdfs::exists(set.root / "out"));
}

class SettleDestinationTest : public ::testing::Test {
protected:
    SettleDestinationTest() {
        folder.WriteFile("keep/old.txt", "old");
        folder.WriteFile("keep/sub/deeper.txt", "old");
    }
    std::string Target() const { return folder / "keep"; }

    Session session;
    ScriptedHost host;
    test::TempFolder folder;
};

TEST_F(SettleDestinationTest, RemovableYesEmptiesTheFolderButKeepsIt) {
    host.Answer(Button::Yes, msg::kEmptyRemovableRestoreFolder);
    EXPECT_TRUE(SettleRestoreDestination(session, host, Target(), "Rem"));
    EXPECT_EQ(host.DialogTexts(),
              (std::vector<std::string>{msg::kEmptyRemovableRestoreFolder, msg::kEmptied}));
    EXPECT_EQ(host.dialogs[0].kind, DialogKind::Information);
    EXPECT_EQ(session.EmptyingFolder, Target());
    EXPECT_TRUE(stdfs::is_directory(Target()));
    EXPECT_TRUE(stdfs::is_empty(Target()));
}

TEST_F(SettleDestinationTest, RemovableNoAsksToOverwriteAndDeletesNothing) {
    host.Answer(Button::No, msg::kEmptyRemovableRestoreFolder);
    host.Answer(Button::Yes, msg::kOverwriteAll);
    EXPECT_TRUE(SettleRestoreDestination(session, host, Target(), "Rem"));
    EXPECT_EQ(folder.ReadFile("keep/old.txt"), "old");

    ScriptedHost second;
    second.Answer(Button::No, msg::kEmptyRemovableRestoreFolder);
    second.Answer(Button::Abort, msg::kOverwriteAll);
    EXPECT_FALSE(SettleRestoreDestination(session, second, Target(), "Rem"));

    ScriptedHost third;
    third.Answer(Button::Abort, msg::kEmptyRemovableRestoreFolder);
    EXPECT_FALSE(SettleRestoreDestination(session, third, Target(), "Rem"));
    EXPECT_EQ(third.dialogs.size(), 1u);
    EXPECT_EQ(folder.ReadFile("keep/sub/deeper.txt"), "old");
}

TEST_F(SettleDestinationTest, HardDiskOnlyAsksWhetherToGoOn) {
    host.Answer(Button::Yes, msg::kKeepHardDiskRestoreFolder);
    EXPECT_TRUE(SettleRestoreDestination(session, host, Target(), "HDD"));
    ScriptedHost second;
    second.Answer(Button::Abort, msg::kKeepHardDiskRestoreFolder);
    EXPECT_FALSE(SettleRestoreDestination(session, second, Target(), "HDD"));
    EXPECT_EQ(folder.ReadFile("keep/old.txt"), "old");
}

// Files of the set's paths would be written over on any drive: every kind but a removable
// disk gets the hard disk's question, and Abort there keeps everything.
TEST_F(SettleDestinationTest, EveryOtherKindAsksBeforeWritingOverAndEmptyFoldersGoOn) {
    const std::vector<const char*> kinds{"Net", "Ram", "CD", "", "-", "overlay"};
    for (const char* kind : kinds) {
        host.Answer(Button::Abort, msg::kKeepHardDiskRestoreFolder);
        EXPECT_FALSE(SettleRestoreDestination(session, host, Target(), kind)) << kind;
    }
    EXPECT_EQ(host.dialogs.size(), kinds.size());
    EXPECT_EQ(folder.ReadFile("keep/old.txt"), "old");
    folder.MakeFolder("empty");
    EXPECT_TRUE(SettleRestoreDestination(session, host, folder / "empty", "Ram"));
    EXPECT_EQ(host.dialogs.size(), kinds.size());
    EXPECT_EQ(host.UnusedAnswers(), 0u);
}

// A restore folder that holds the disk folder, or lies in it, is refused before any question
// could empty it or any file be written over the set.
TEST_F(RestoreCommandTest, ARestoreFolderOverlappingTheDiskFolderIsRefused) {
    for (const std::string& target : {set.root.path(), set.root / "drive", set.root / "drive/x"}) {
        stdfs::create_directories(target);
        ScriptedHost overlapping;
        overlapping.fields = host.fields;
        overlapping.fields.restoreTo = target;
        BitBtn3Click(session, overlapping);
        EXPECT_EQ(overlapping.DialogTexts(), std::vector<std::string>{msg::kDisksInRestoreFolder})
            << target;
        EXPECT_EQ(set.root.ReadFile("drive/a.txt"), "new a");
    }
}

} // namespace
} // namespace arbolink
