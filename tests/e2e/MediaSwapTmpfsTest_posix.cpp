// SPDX-License-Identifier: GPL-3.0-or-later
// A desktop mounts each medium at a folder named after it: the divide and the restore follow
// the drive's media, found through the mount table, from one folder to the next. The disks
// are tmpfs file systems on a shelf, bound into .../media/STICKn as a desktop mounts a stick.
// Needs the right to mount (root).
#include "CliProcess_posix.h"
#include "core/Formatted.h"
#include "core/Session.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/SplitCommand.h"
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/RestoreRun.h"
#include "core/rFile/SetReader.h"
#include "core/wFile/SetWriter.h"
#include "core/wFile/WriteMessages.h"
#include "fs/MediaWatch.h"
#include "support/PrivateMounts_posix.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/mount.h>
#include <utility>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::DialogRecord;
using test::ScriptedHost;
using test::TempFolder;

struct SourceFile {
    std::string path;
    std::size_t size;
};

// Disks of 1440 KiB: each of the large files fills one.
const std::vector<SourceFile> kFiles = {
    {"big/one.bin", 900'000},
    {"写真/表.jpg", 880'000},
    {"docs/report.pdf", 860'000},
    {"top.txt", 1000},
    {"empty", 0},
};

std::string Contents(const SourceFile& file) {
    return std::string(file.size, static_cast<char>('a' + file.path.size() % 26));
}

std::string Swap(int left) {
    return Formatted(msg::kSwapDiskLeft, left);
}

class MediaSwapTmpfsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::KeepMountsPrivate();
        for (const char* disk : {"1", "2", "3", "other"}) {
            root.MakeFolder(std::string("shelf/") + disk);
            const std::string shelf = root / (std::string("shelf/") + disk);
            if (mount("tmpfs", shelf.c_str(), "tmpfs", 0, "size=1440k") != 0) {
                GTEST_SKIP() << "tmpfs media need the right to mount";
            }
            mounted.push_back(shelf);
        }
        // A disk of another set, in the folder a set takes at a medium's root.
        const std::string otherSet = root / "shelf/other/@dummy@/";
        stdfs::create_directories(otherSet);
        ASSERT_TRUE(WriteIdentityFile(otherSet, "2026/12/09 11:11:11 #0", 1, 3));
        for (const SourceFile& file : kFiles) {
            root.WriteFile("src/" + file.path, Contents(file));
        }
        root.MakeFolder("out");
    }

    void TearDown() override {
        for (auto it = mounted.rbegin(); it != mounted.rend(); ++it) {
            umount2(it->c_str(), MNT_DETACH);
        }
    }

    std::string Stick(const std::string& name) const { return root / ("media/" + name); }

    // The desktop mounts the shelf's disk at media/name.
    void PlugIn(const std::string& disk, const std::string& name) {
        stdfs::create_directories(Stick(name));
        ASSERT_EQ(mount((root / ("shelf/" + disk)).c_str(), Stick(name).c_str(), nullptr, MS_BIND,
                        nullptr),
                  0);
        mounted.push_back(Stick(name));
    }
    // The user pulls the stick: the desktop unmounts it and removes its folder.
    void Pull(const std::string& name) {
        ASSERT_EQ(umount(Stick(name).c_str()), 0);
        mounted.erase(std::find(mounted.begin(), mounted.end(), Stick(name)));
        stdfs::remove(Stick(name));
    }

    // At the question of that text, the user does what follows it; the questions come in
    // this order.
    void AtQuestions(ScriptedHost& host,
                     std::deque<std::pair<std::string, std::function<void()>>> steps) {
        host.onDialog = [this, steps = std::move(steps)](const DialogRecord& dialog) mutable {
            if (!steps.empty() && dialog.text == steps.front().first) {
                auto step = std::move(steps.front().second);
                steps.pop_front();
                step();
            }
        };
    }

    TempFolder root;
    std::vector<std::string> mounted;
};

TEST_F(MediaSwapTmpfsTest, ThreeDisksOnSticksMountedEachAtItsOwnFolderThenRestoredIn213) {
    PlugIn("1", "STICK1");
    std::unique_ptr<MediaWatcher> media = OpenMountTableWatcher();
    Session session;
    session.Media = media.get();
    ScriptedHost host;
    host.fields = {root / "src", Stick("STICK1"), root / "out", false};
    const std::string prepare = Formatted(msg::kPrepareDisks, 3);
    host.Answer(Button::Ok, prepare);
    host.Answer(Button::Ok, Formatted(msg::kInsertDisk, 1));
    // The disk just written is left in; Enter is pressed all the same.
    host.Answer(Button::Ok, Formatted(msg::kInsertDisk, 3));
    AtQuestions(host, {
                          {Formatted(msg::kInsertDisk, 2),
                           [&] {
                               Pull("STICK1");
                               PlugIn("other", "OTHER");
                           }},
                          {msg::kSwapDisk,
                           [&] {
                               Pull("OTHER");
                               PlugIn("2", "STICK2");
                           }},
                          {msg::kSwapDisk,
                           [&] {
                               Pull("STICK2");
                               PlugIn("3", "STICK3");
                           }},
                      });
    BitBtn2Click(session, host);

    std::vector<std::pair<std::string, bool>> asked; // text, closed by itself
    for (const DialogRecord& dialog : host.dialogs) {
        asked.emplace_back(dialog.text, dialog.closedByItself);
    }
    EXPECT_EQ(asked, (std::vector<std::pair<std::string, bool>>{
                         {prepare, false},
                         {Formatted(msg::kInsertDisk, 1), false},
                         {Formatted(msg::kInsertDisk, 2), true},
                         {msg::kSwapDisk, true}, // the disk of another set
                         {Formatted(msg::kInsertDisk, 3), false},
                         {msg::kSwapDisk, true}, // the disk just written
                         {msg::kCopyFinished, false},
                     }));
    EXPECT_EQ(host.UnusedAnswers(), 0u);
    for (int disk = 1; disk <= 3; ++disk) {
        const std::string set = root / ("shelf/" + std::to_string(disk) + "/@dummy@/");
        std::optional<DiskIdentity> identity = TryReadIdentity(set);
        ASSERT_TRUE(identity) << disk;
        EXPECT_EQ(identity->disk, disk);
    }
    EXPECT_FALSE(TryReadIdentity(root / "shelf/other/@dummy@/")->setId.empty());
    ASSERT_EQ(host.progress.size(), 4u); // the planning, then one per disk
    EXPECT_EQ(host.progress[2]->message.substr(host.progress[2]->message.rfind('\n') + 1),
              Stick("STICK2") + " のディスクを使います");

    // The restore: disk 2 first, at its own folder; the disk of another set and the disk
    // already read are refused on the way.
    Pull("STICK3");
    PlugIn("2", "STICK2");
    Session reading;
    reading.Media = media.get();
    ScriptedHost restorer;
    restorer.fields = {"", Stick("STICK2"), root / "out", false};
    AtQuestions(restorer, {
                              {Swap(2),
                               [&] {
                                   Pull("STICK2");
                                   PlugIn("other", "OTHER");
                               }},
                              {msg::kOtherSet,
                               [&] {
                                   Pull("OTHER");
                                   PlugIn("1", "STICK1");
                               }},
                              {Swap(1),
                               [&] {
                                   Pull("STICK1");
                                   PlugIn("3", "STICK3");
                               }},
                          });
    RestoreDisks(reading, restorer);
    asked.clear();
    for (const DialogRecord& dialog : restorer.dialogs) {
        asked.emplace_back(dialog.text, dialog.closedByItself);
    }
    EXPECT_EQ(asked, (std::vector<std::pair<std::string, bool>>{{Swap(2), true},
                                                                {msg::kOtherSet, true},
                                                                {Swap(1), true},
                                                                {msg::kCopyFinished, false}}));
    for (const SourceFile& file : kFiles) {
        EXPECT_EQ(root.ReadFile("out/" + file.path), Contents(file)) << file.path;
    }
}

// The command-line tool with --yes follows the sticks the same way, and says which it took.
TEST_F(MediaSwapTmpfsTest, TheCommandLineToolWithYesFollowsTheSticksToo) {
    PlugIn("1", "STICK1");
    test::Program divide({"divide", root / "src", Stick("STICK1"), "--yes"});
    ASSERT_TRUE(divide.ReadUntil(Formatted(msg::kInsertDisk, 2))) << divide.err;
    Pull("STICK1");
    PlugIn("2", "STICK2");
    ASSERT_TRUE(divide.ReadUntil(Formatted(msg::kInsertDisk, 3))) << divide.err;
    Pull("STICK2");
    PlugIn("3", "STICK3");
    EXPECT_EQ(divide.Wait(), 0) << divide.err;
    EXPECT_NE(divide.err.find(Stick("STICK2") + " のディスクを使います\n"), std::string::npos)
        << divide.err;
    EXPECT_NE(divide.err.find(Stick("STICK3") + " のディスクを使います\n"), std::string::npos);
    for (int disk = 1; disk <= 3; ++disk) {
        std::optional<DiskIdentity> identity =
            TryReadIdentity(root / ("shelf/" + std::to_string(disk) + "/@dummy@/"));
        ASSERT_TRUE(identity) << disk;
        EXPECT_EQ(identity->disk, disk);
    }
}

} // namespace
} // namespace arbolink
