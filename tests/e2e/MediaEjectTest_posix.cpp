// SPDX-License-Identifier: GPL-3.0-or-later
// Ejecting each written disk through UDisks2, and following the sticks it reports, against a
// mocked service on a private bus: the sticks' mount points are plain folders.
#include "core/Formatted.h"
#include "core/Session.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/SplitCommand.h"
#include "core/rFile/SetReader.h"
#include "core/wFile/WriteMessages.h"
#include "fs/MediaWatch.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"
#include "support/UDisks2Mock_posix.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

using test::DialogRecord;
using test::ScriptedHost;
using test::TempFolder;
using test::UDisks2Mock;

constexpr std::int32_t kCluster = 4096;

class MediaEjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!mock.unavailable().empty()) {
            GTEST_SKIP() << mock.unavailable();
        }
        root.WriteFile("src/one.bin", std::string(300'000, '1'));
        root.WriteFile("src/two.bin", std::string(300'000, '2'));
        root.MakeFolder("media/STICK1");
        root.MakeFolder("media/STICK2");
        mock.AddStick("sdb", "STICK1", 1'000'000, root / "media/STICK1");
        media = OpenUDisks2Watcher(mock.address());
        ASSERT_NE(media, nullptr);
        session.Media = media.get();
        host.fields = {root / "src", root / "media/STICK1", "", false};
        host.Answer(Button::Ok, Formatted(msg::kPrepareDisks, 2));
        host.Answer(Button::Ok, Formatted(msg::kInsertDisk, 1));
        // At the request for disk 2 the first stick is pulled and another one plugged in.
        host.onDialog = [this](const DialogRecord& dialog) {
            if (dialog.text == Formatted(msg::kInsertDisk, 2)) {
                if (pullFirst) {
                    mock.RemoveStick("sdb");
                }
                mock.AddStick("sdc", "BACKUP", 1'000'000, root / "media/STICK2");
                if (refuseSecond) {
                    mock.RefuseEject("sdc");
                }
            }
        };
    }

    // Disks of 100 clusters: one file each.
    void Divide() { RunDivide(session, host, host.fields, kCluster, 100, true); }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const DialogRecord& dialog : host.dialogs) {
            texts.push_back(dialog.text);
        }
        return texts;
    }

    UDisks2Mock mock;
    TempFolder root;
    std::unique_ptr<MediaWatcher> media;
    Session session;
    ScriptedHost host;
    bool refuseSecond = false;
    bool pullFirst = true;
};

TEST_F(MediaEjectTest, EachWrittenStickIsUnmountedAndPoweredOffAndTheNextOneIsFollowed) {
    Divide();
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           Formatted(msg::kPrepareDisks, 2), Formatted(msg::kInsertDisk, 1),
                           Formatted(msg::kInsertDisk, 2), msg::kCopyFinished}));
    EXPECT_TRUE(host.dialogs[2].closedByItself);
    EXPECT_EQ(mock.Calls(), (std::vector<std::string>{"Unmount sdb1", "PowerOff sdb",
                                                      "Unmount sdc1", "PowerOff sdc"}));
    std::optional<DiskIdentity> second = TryReadIdentity(root / "media/STICK2/@dummy@/");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->disk, 2);
    const std::string& told = host.progress.back()->message;
    EXPECT_EQ(told.substr(told.rfind('\n') + 1), "ラベル BACKUP のディスクを使います");
    EXPECT_EQ(host.progress.back()->note, "ラベル BACKUP のディスクを使います");
    EXPECT_TRUE(host.progress[1]->note.empty()); // the first disk was where the field said
}

TEST_F(MediaEjectTest, AStickThatDoesNotComeOutIsToldAndTheRunGoesOn) {
    refuseSecond = true;
    Divide();
    ASSERT_EQ(host.dialogs.size(), 5u);
    EXPECT_EQ(host.dialogs[3].kind, DialogKind::Warning);
    EXPECT_EQ(host.dialogs[3].text, "書き終えたディスクを取り出せませんでした。\n\nDevice is "
                                    "busy\n\n手で取り外してください");
    EXPECT_EQ(host.dialogs[4].text, msg::kCopyFinished);
    EXPECT_EQ(mock.Calls(),
              (std::vector<std::string>{"Unmount sdb1", "PowerOff sdb", "Unmount sdc1"}));
}

// A stick that cannot be powered off stays in, unmounted: it is not mounted again for the
// next disk, and the stick plugged in beside it is taken.
TEST_F(MediaEjectTest, AStickLeftInUnmountedIsNotMountedAgain) {
    mock.RemoveStick("sdb");
    mock.AddStick("sdb", "STICK1", 1'000'000, root / "media/STICK1", false);
    pullFirst = false;
    Divide();
    EXPECT_EQ(host.dialogs.back().text, msg::kCopyFinished);
    EXPECT_TRUE(host.dialogs[2].closedByItself);
    EXPECT_EQ(mock.Calls(),
              (std::vector<std::string>{"Unmount sdb1", "Unmount sdc1", "PowerOff sdc"}));
    ASSERT_TRUE(TryReadIdentity(root / "media/STICK2/@dummy@/"));
}

TEST_F(MediaEjectTest, NothingIsEjectedWhenTheSwitchIsOff) {
    session.EjectWritten = false;
    Divide();
    EXPECT_EQ(host.dialogs.back().text, msg::kCopyFinished);
    EXPECT_TRUE(mock.Calls().empty());
}

} // namespace
} // namespace arbolink
