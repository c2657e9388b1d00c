// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rFile/RestoreRun.h"

#include "core/CopyReasons.h"
#include "core/Formatted.h"
#include "core/divide/DivideMessages.h"
#include "core/rFile/CheckMessages.h"
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/SetCheck.h"
#include "core/rFile/SetReader.h"
#include "fs/CopyCalls_posix.h"
#include "fs/Drives.h"
#include "fs/Folders.h"
#include "support/DiskSetFixture.h"
#include "support/FakeDriveTree_posix.h"
#include "support/PatternBytes.h"
#include "support/TmpfsDisk_posix.h"
#include "support/TreeSnapshot_posix.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::DiskSetFixture;
using test::Event;
using test::ScriptedHost;
using test::SetFile;

const std::string kSwap2 = "ディスクを入れ換えてください\n\nあと 2 枚です";
const std::string kSwap1 = "ディスクを入れ換えてください\n\nあと 1 枚です";
const std::string kDone = msg::kRestoreFinished;

// Ten files over three disks (4, 3, 3), in three folders and the root.
std::vector<SetFile> TenFiles() {
    return {
        {"", "top.txt", "top.txt", 1, "top"},
        {"docs\\", "a.txt", "a.txt", 1, "docs a"},
        {"docs\\", "b.txt", "b.txt", 1, "docs b"},
        {"docs\\old\\deep\\", "a.txt", "a.txt-0", 1, "deep a"},
        {"docs\\", "c.txt", "c.txt", 2, "docs c"},
        {"pics\\", "p 1,2.jpg", "p 1,2.jpg", 2, "pic"},
        {"pics\\", "empty", "empty", 2, ""},
        {"", "日本語.txt", "日本語.txt", 3, "にほんご"},
        {"docs\\", "A.txt", "A.txt-1", 3, "docs big A"},
        {"docs\\old\\deep\\", "z", "z", 3, "z"},
    };
}

class RestoreRunTest : public ::testing::Test {
protected:
    RestoreRunTest() { set.UseFields(host); }

    void ExpectAllRestored() {
        for (const SetFile& file : TenFiles()) {
            std::string relative = file.folder + file.name;
            std::replace(relative.begin(), relative.end(), '\\', '/');
            EXPECT_EQ(set.Out(relative), file.contents) << relative;
        }
    }

    Session session;
    ScriptedHost host;
    DiskSetFixture set;
};

TEST_F(RestoreRunTest, TakesDisksInAnyOrderAndCountsThoseToCome) {
    set.WriteSet("2026/12/09 10:00:00", TenFiles(), 3);
    set.Insert(2);
    set.SwapAtQuestions(host, {"disk1", "disk3"});
    host.Answer(Button::Yes, kSwap2);
    host.Answer(Button::Yes, kSwap1);
    RestoreDisks(session, host);

    EXPECT_EQ(host.DialogTexts(), (std::vector<std::string>{kSwap2, kSwap1, kDone}));
    EXPECT_EQ(host.dialogs.back().kind, DialogKind::Plain);
    EXPECT_EQ(host.UnusedAnswers(), 0u);
    ExpectAllRestored();
    ASSERT_EQ(host.progress.size(), 3u);
    // The gauge goes on across disks: disk 2 holds 9 of the set's 53 bytes, disk 1 21 more.
    EXPECT_EQ(host.progress[0]->gauge.front(), 0);
    EXPECT_EQ(host.progress[1]->gauge.front(), 17);
    EXPECT_EQ(host.progress[2]->gauge.front(), 57);
    EXPECT_EQ(host.progress[2]->gauge.back(), 100);
    EXPECT_EQ(host.progress[0]->caption, "復元中．．．");
    EXPECT_EQ(host.progress[0]->message,
              "From : " + host.fields.destination + "\n  To : " + host.fields.restoreTo + "/");
    // Disabled once before the first disk, enabled only after the closing message.
    EXPECT_EQ(host.Details(Event::Type::WindowDisabled).size(), 1u);
    ASSERT_EQ(host.Details(Event::Type::WindowEnabled).size(), 1u);
    EXPECT_EQ(host.events.back().type, Event::Type::WindowEnabled);
    EXPECT_EQ(host.events[host.events.size() - 2].detail, kDone);
    EXPECT_TRUE(host.mainWindowEnabled);
    // A beep before each question and before the closing message.
    EXPECT_EQ(host.Details(Event::Type::Beep).size(), 3u);
}

TEST_F(RestoreRunTest, RefusesADiskPutBackAndADiskOfAnotherSet) {
    set.WriteSet("set A", TenFiles(), 3);
    set.WriteSet("set B", TenFiles(), 3, "other");
    set.Insert(1);
    // Disk 1 stays in; then a disk of another set; then the right ones.
    set.SwapAtQuestions(host, {"disk1", "other2", "disk2", "disk3"});
    host.Answer(Button::Yes, kSwap2);
    host.Answer(Button::Yes, kSwap2);
    host.Answer(Button::Yes, msg::kOtherSet);
    host.Answer(Button::Yes, kSwap1);
    RestoreDisks(session, host);
    EXPECT_EQ(host.DialogTexts(),
              (std::vector<std::string>{kSwap2, kSwap2, msg::kOtherSet, kSwap1, kDone}));
    ExpectAllRestored();
}

TEST_F(RestoreRunTest, OneDiskSetNeedsNoQuestion) {
    std::vector<SetFile> files = TenFiles();
    for (SetFile& file : files) {
        file.disk = 1;
    }
    set.WriteSet("one", files, 1);
    set.Insert(1);
    RestoreDisks(session, host);
    EXPECT_EQ(host.DialogTexts(), std::vector<std::string>{kDone});
    ExpectAllRestored();
}

TEST_F(RestoreRunTest, AbortInTheSwapQuestionNamesTheFilesNotRestored) {
    set.WriteSet("s", TenFiles(), 3);
    set.Insert(1);
    host.Answer(Button::Abort, kSwap2);
    RestoreDisks(session, host);
    EXPECT_EQ(host.DialogTexts(),
              (std::vector<std::string>{
                  kSwap2, std::string(msg::kRestoreAborted) +
                              "\n\n復元されなかったファイルが 6 個あります。\ndocs/c.txt\npics/p "
                              "1,2.jpg\npics/empty\n日本語.txt\ndocs/A.txt\ndocs/old/deep/z"}));
    EXPECT_EQ(host.dialogs.back().kind, DialogKind::Warning);
    EXPECT_TRUE(host.mainWindowEnabled);
    EXPECT_EQ(set.Out("top.txt"), "top");
}

TEST_F(RestoreRunTest, CancelDuringTheSecondDiskKeepsWhatWasCopied) {
    set.WriteSet("s", TenFiles(), 3);
    set.Insert(1);
    set.SwapAtQuestions(host, {"disk2"});
    host.Answer(Button::Yes, kSwap2);
    host.onProcessMessages = [&] {
        if (host.progress.size() == 2) {
            host.PressCancel();
        }
    };
    RestoreDisks(session, host);
    ASSERT_EQ(host.dialogs.size(), 2u);
    EXPECT_EQ(host.dialogs[0].text, kSwap2);
    // Two files of disk 2 and the three of disk 3 are not back, and are named.
    const std::string& closing = host.dialogs[1].text;
    EXPECT_TRUE(closing.starts_with(std::string(msg::kCancelled) +
                                    "\n\n復元されなかったファイルが 5 個あります。\n"))
        << closing;
    EXPECT_NE(closing.find("\ndocs/old/deep/z"), std::string::npos) << closing;
    EXPECT_EQ(host.dialogs.back().kind, DialogKind::Warning);
    EXPECT_EQ(host.progress.size(), 2u);
    EXPECT_TRUE(host.progress[1]->released);
    EXPECT_TRUE(host.mainWindowEnabled);
    EXPECT_EQ(set.Out("docs/old/deep/a.txt"), "deep a");
    // The file in hand when Cancel came is finished; the disk stops there.
    int fromDisk2 = 0;
    for (const char* name : {"docs/c.txt", "pics/p 1,2.jpg", "pics/empty"}) {
        fromDisk2 += set.OutExists(name) ? 1 : 0;
    }
    EXPECT_EQ(fromDisk2, 1);
}

TEST_F(RestoreRunTest, CreatesTheFolderTreeFirstAndOnlyFoldersThatHoldFiles) {
    set.WriteSet("s", TenFiles(), 3);
    set.Insert(1);
    host.Answer(Button::Abort, kSwap2);
    host.onProcessMessages = [&] {
        // While the first file is copied, every folder of the set is there already.
        EXPECT_TRUE(stdfs::is_directory(set.root / "out/pics"));
        EXPECT_TRUE(stdfs::is_directory(set.root / "out/docs/old/deep"));
    };
    RestoreDisks(session, host);
    EXPECT_EQ(host.processMessagesCalls, 4);
}

TEST_F(RestoreRunTest, LeavesSetFilesProgramCopyAndUnknownFilesAlone) {
    set.WriteSet("s", {{"", "a.txt", "a.txt", 1, "a"}, {"", "B.txt", "B.txt", 1, "b"}}, 1);
    set.root.WriteFile("disk1/Arbolink/arbolink", "program");
    set.root.WriteFile("disk1/stray.bin", "stray");
    // A stored name differing in letter case only is another name.
    stdfs::rename(set.root / "disk1/B.txt", set.root / "disk1/b.txt");
    set.Insert(1);
    RestoreDisks(session, host);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].kind, DialogKind::Warning);
    EXPECT_EQ(host.dialogs[0].text,
              kDone + "\n\nどのディスクにもなかったファイルが 1 個あります。\nB.txt");
    std::vector<std::string> out;
    for (const auto& entry : stdfs::directory_iterator(set.root / "out")) {
        out.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(out, std::vector<std::string>{"a.txt"});
}

TEST_F(RestoreRunTest, AFailedCopyIsRetriedUntilItSucceeds) {
    set.WriteSet("s", {{"", "a.txt", "a.txt", 1, "a"}}, 1);
    set.Insert(1);
    // A folder in the way: no file can be put in its place.
    set.root.MakeFolder("out/a.txt/x");
    const std::string failed =
        Formatted(msg::kCopyFailed, host.fields.destination + "/a.txt",
                  host.fields.restoreTo + "/a.txt", CopyFailureReason(EISDIR));
    host.Answer(Button::Retry, failed);
    host.Answer(Button::Retry, failed);
    host.onDialog = [&](const test::DialogRecord&) {
        if (host.dialogs.size() == 2) {
            stdfs::remove_all(set.root / "out/a.txt"); // the user clears the way
        }
    };
    RestoreDisks(session, host);
    EXPECT_EQ(host.DialogTexts(), (std::vector<std::string>{failed, failed, kDone}));
    EXPECT_EQ(host.dialogs[0].kind, DialogKind::Error);
    EXPECT_EQ(host.dialogs[0].buttons, (Buttons{Button::Abort, Button::Retry, Button::Ignore}));
    EXPECT_EQ(set.Out("a.txt"), "a");
}

TEST_F(RestoreRunTest, AnIgnoredCopyIsNotCountedAndNamedAtTheEnd) {
    set.WriteSet("s", {{"", "a.txt", "a.txt", 1, "a"}, {"d\\", "b.txt", "b.txt", 1, "b"}}, 1);
    set.Insert(1);
    set.root.MakeFolder("out/d/b.txt/x");
    host.Answer(Button::Ignore);
    RestoreDisks(session, host);
    ASSERT_EQ(host.dialogs.size(), 2u);
    EXPECT_EQ(host.dialogs[1].kind, DialogKind::Warning);
    EXPECT_EQ(host.dialogs[1].text,
              kDone + "\n\nコピーできなかったファイルが 1 個あります。\nd/b.txt");
    EXPECT_EQ(set.Out("a.txt"), "a");
    // Not counted: the gauge never reaches 100.
    EXPECT_EQ(host.progress[0]->gauge.back(), 50);
}

// A stored file whose bytes changed on the disk since it was written (a flipped bit, a file
// of the same size put in its place) is a failed copy: the question names the reason, Retry
// reads it again, Ignore leaves no copy of it and the closing message names it. The other
// files come back, checked. A disk whose map was deleted restores unchecked, and says so.
TEST_F(RestoreRunTest, ADamagedStoredFileIsRefusedAndNamedAndNoBadCopyIsLeft) {
    set.WriteSet("s",
                 {{"", "good.txt", "good.txt", 1, "good"},
                  {"d\\", "bad.bin", "bad.bin", 1, std::string(300'000, 'x')}},
                 1);
    std::string damaged(300'000, 'x');
    damaged[123'456] = 'y';
    set.root.WriteFile("disk1/bad.bin", damaged);
    set.Insert(1);
    host.Answer(Button::Retry);
    host.Answer(Button::Ignore);
    RestoreDisks(session, host);
    ASSERT_EQ(host.dialogs.size(), 3u);
    for (int question : {0, 1}) {
        EXPECT_EQ(host.dialogs[question].kind, DialogKind::Error);
        EXPECT_NE(host.dialogs[question].text.find(msg::kReasonContentMismatch), std::string::npos);
        EXPECT_NE(host.dialogs[question].text.find("bad.bin"), std::string::npos);
    }
    EXPECT_EQ(host.dialogs[2].kind, DialogKind::Warning);
    EXPECT_EQ(host.dialogs[2].text,
              kDone + "\n\nコピーできなかったファイルが 1 個あります。\nd/bad.bin");
    EXPECT_EQ(set.Out("good.txt"), "good");
    EXPECT_FALSE(set.OutExists("d/bad.bin"));
    EXPECT_TRUE(std::filesystem::is_empty(PathOf(set.root / "out/d")));

    // The same disk without its map: restored as it is, with the note.
    set.root.MakeFolder("again");
    std::filesystem::remove(PathOf(set.root / ("drive/" + std::string(kSetMapName))));
    ScriptedHost unchecked;
    set.UseFields(unchecked);
    unchecked.fields.restoreTo = set.root / "again";
    Session fresh;
    RestoreDisks(fresh, unchecked);
    EXPECT_EQ(unchecked.DialogTexts(), std::vector<std::string>{kDone + msg::kNoChecksums});
    EXPECT_EQ(set.root.ReadFile("again/d/bad.bin"), damaged);
}

TEST_F(RestoreRunTest, AbortInACopyFailureNamesTheFileNotRestored) {
    set.WriteSet("s", {{"", "a.txt", "a.txt", 1, "a"}}, 1);
    set.Insert(1);
    set.root.MakeFolder("out/a.txt/x");
    host.Answer(Button::Abort);
    RestoreDisks(session, host);
    ASSERT_EQ(host.dialogs.size(), 2u);
    EXPECT_EQ(host.dialogs[1].text, std::string(msg::kRestoreAborted) +
                                        "\n\n復元されなかったファイルが 1 個あります。\na.txt");
    EXPECT_TRUE(host.progress[0]->released);
    EXPECT_TRUE(host.mainWindowEnabled);
}

TEST_F(RestoreRunTest, RefusesHostileIndexesBeforeWritingAnything) {
    using namespace std::string_literals;
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"..\\", "evil"},
        {"a\\..\\..\\", "evil"},
        {"\\tmp\\", "evil"},
        {"c:\\", "evil"},
        {"", "../evil"},
        {"", ".."},
        {"", ""},
        {"a/../../", "evil"},
        {"", "x\0y"s},
        {"a\\\\b\\", "evil"},
    };
    for (const auto& [folder, name] : rows) {
        DiskSetFixture hostile;
        ScriptedHost hostileHost;
        hostile.UseFields(hostileHost);
        hostile.WriteSet(
            "s", {{"ok\\", "fine.txt", "fine.txt", 1, "fine"}, {folder, name, "stored", 1, "evil"}},
            1);
        hostile.Insert(1);
        Session fresh;
        RestoreDisks(fresh, hostileHost);
        ASSERT_EQ(hostileHost.dialogs.size(), 1u) << folder << name;
        EXPECT_EQ(hostileHost.dialogs[0].kind, DialogKind::Error);
        std::string row = folder + name;
        std::replace(row.begin(), row.end(), '\0', '?');
        EXPECT_EQ(hostileHost.dialogs[0].text, Formatted(msg::kUnsafeRow, 2, row));
        EXPECT_FALSE(stdfs::exists(hostile.root / "out")) << folder << name;
        EXPECT_FALSE(stdfs::exists(hostile.root / "evil"));
        EXPECT_TRUE(hostileHost.mainWindowEnabled);
    }
}

TEST_F(RestoreRunTest, ASetWithoutFilesEndsWithOneMessage) {
    set.WriteSetFiles("disk1", "", IdentityLine("s", 1, 1));
    set.Insert(1);
    RestoreDisks(session, host);
    EXPECT_EQ(host.DialogTexts(), std::vector<std::string>{msg::kSetWithoutFiles});
    EXPECT_TRUE(host.progress.empty());
    EXPECT_FALSE(stdfs::exists(set.root / "out"));
}

TEST_F(RestoreRunTest, MissingSetFilesAreAskedForUntilAbort) {
    set.root.MakeFolder("drive");
    host.Answer(Button::Retry, msg::kNoSetFiles);
    host.Answer(Button::Abort, msg::kNoSetFiles);
    RestoreDisks(session, host);
    EXPECT_EQ(host.DialogTexts().size(), 2u);
    EXPECT_EQ(host.Details(Event::Type::Beep).size(), 2u);
    EXPECT_TRUE(host.mainWindowEnabled);
}

// A later disk that holds no set, a FIFO or a link as its identity, or an identity of a
// disk its set cannot have, is named and another disk asked for; the run goes on.
TEST_F(RestoreRunTest, ALaterDiskWithoutAReadableIdentityIsPassedOver) {
    set.WriteSet("s", TenFiles(), 3);
    set.root.MakeFolder("blank");
    set.WriteSetFiles("fifo", "", "");
    stdfs::remove(set.root / "fifo/_Disk.@ID");
    ASSERT_EQ(mkfifo((set.root / "fifo/_Disk.@ID").c_str(), 0600), 0);
    set.WriteSetFiles("link", "", "");
    stdfs::remove(set.root / "link/_Disk.@ID");
    stdfs::create_symlink(set.root / "disk2/_Disk.@ID", set.root / "link/_Disk.@ID");
    set.WriteSetFiles("zero", "", IdentityLine("s", 0, 3));
    set.WriteSetFiles("beyond", "", IdentityLine("s", 4, 3));
    set.Insert(1);
    set.SwapAtQuestions(host, {"blank", "fifo", "link", "zero", "beyond", "disk2", "disk3"});
    const std::string drive = set.root / "drive/";
    const std::string notPlain = SetFormatError::NotPlain(kIdentityFileName).what();
    const std::string badLine = SetFormatError(kIdentityFileName, 1).what();
    const std::vector<std::string> expected{kSwap2,
                                            msg::kNotASetDisk + drive + "\n\n" + msg::kNoSetFiles,
                                            msg::kNotASetDisk + drive + "\n\n" + notPlain,
                                            msg::kNotASetDisk + drive + "\n\n" + notPlain,
                                            msg::kNotASetDisk + drive + "\n\n" + badLine,
                                            msg::kNotASetDisk + drive + "\n\n" + badLine,
                                            kSwap1,
                                            kDone};
    for (std::size_t i = 0; i + 1 < expected.size(); ++i) {
        host.Answer(Button::Yes, expected[i]);
    }
    RestoreDisks(session, host);
    EXPECT_EQ(host.DialogTexts(), expected);
    EXPECT_EQ(host.dialogs.back().kind, DialogKind::Plain);
    ExpectAllRestored();
    EXPECT_EQ(set.root.ReadFile("disk2/_Disk.@ID"), IdentityLine("s", 2, 3));
}

// Rows repeating one path, an index of more rows than a restore takes, and an index that is
// a FIFO, a link or a folder: refused with a message naming the row or the file, before any
// folder is made.
TEST_F(RestoreRunTest, RefusesRepeatedRowsAndIndexesNoSetWouldHave) {
    using namespace std::string_literals;
    std::string huge;
    for (std::int64_t i = 0; i <= kMaxIndexRows; ++i) {
        huge += "x\n";
    }
    struct Case {
        std::string name;
        std::function<void(DiskSetFixture&)> make;
        std::string text;
    };
    const std::vector<Case> cases{
        {"repeated",
         [](DiskSetFixture& d) {
             d.WriteSet("s",
                        {{"docs\\", "a.txt", "a.txt", 1, "1"},
                         {"", "b.txt", "b.txt", 1, "2"},
                         {"docs", "a.txt", "a.txt-0", 1, "3"}},
                        1);
         },
         Formatted(msg::kSameRow, 3, 1, "docsa.txt")},
        {"huge",
         [&](DiskSetFixture& d) { d.WriteSetFiles("disk1", huge, IdentityLine("s", 1, 1)); },
         SetFormatError::TooLarge(kIndexFileName).what()},
        {"fifo",
         [](DiskSetFixture& d) {
             d.WriteSetFiles("disk1", "", IdentityLine("s", 1, 1));
             stdfs::remove(d.root / "disk1/_index.@txt");
             ASSERT_EQ(mkfifo((d.root / "disk1/_index.@txt").c_str(), 0600), 0);
         },
         SetFormatError::NotPlain(kIndexFileName).what()},
        {"link",
         [](DiskSetFixture& d) {
             d.WriteSet("s", {{"", "a.txt", "a.txt", 1, "1"}}, 1);
             d.root.WriteFile("elsewhere", IndexLine("", "a.txt", "a.txt"));
             stdfs::remove(d.root / "disk1/_index.@txt");
             stdfs::create_symlink(d.root / "elsewhere", d.root / "disk1/_index.@txt");
         },
         SetFormatError::NotPlain(kIndexFileName).what()},
        {"folder",
         [](DiskSetFixture& d) {
             d.WriteSetFiles("disk1", "", IdentityLine("s", 1, 1));
             stdfs::remove(d.root / "disk1/_index.@txt");
             d.root.MakeFolder("disk1/_index.@txt");
         },
         SetFormatError::NotPlain(kIndexFileName).what()},
    };
    for (const Case& c : cases) {
        DiskSetFixture hostile;
        ScriptedHost hostileHost;
        hostile.UseFields(hostileHost);
        c.make(hostile);
        hostile.Insert(1);
        const test::TreeSnapshot before = test::SnapshotOf(hostile.root.path());
        Session fresh;
        RestoreDisks(fresh, hostileHost);
        EXPECT_EQ(hostileHost.DialogTexts(), std::vector<std::string>{c.text}) << c.name;
        EXPECT_EQ(hostileHost.dialogs.back().kind, DialogKind::Error) << c.name;
        EXPECT_TRUE(hostileHost.mainWindowEnabled);
        EXPECT_EQ(test::Differences(before, test::SnapshotOf(hostile.root.path())),
                  std::vector<std::string>{})
            << c.name;
    }
}

// A set written by another program in CP932 may name its stored files on the disk in CP932
// bytes too: they are found under either spelling.
TEST_F(RestoreRunTest, FindsStoredFilesNamedInCp932Bytes) {
    const std::string nihongo = "\x93\xfa\x96\x7b\x8c\xea"; // 日本語 in CP932
    const std::string index = "\"\",\"" + nihongo + ".txt\",\"" + nihongo + ".txt\"\r\n" +
                              "\"d\\\",\"" + nihongo + "\",\"plain\"\r\n";
    set.WriteSetFiles("disk1", index, IdentityLine("sjis", 1, 1));
    set.root.WriteFile("disk1/plain", "plain");
    const std::string raw = set.root / ("disk1/" + nihongo + ".txt");
    const int fd = open(raw.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "bytes", 5), 5);
    close(fd);
    set.Insert(1);
    RestoreDisks(session, host);
    // A set of another program carries no checksums: the closing message says so.
    EXPECT_EQ(host.DialogTexts(), std::vector<std::string>{kDone + msg::kNoChecksums});
    EXPECT_EQ(set.Out("日本語.txt"), "bytes");
    EXPECT_EQ(set.Out("d/日本語"), "plain");
}

// The restore folder on the removable disk that is swapped for the next one would be taken
// out with it: refused before any folder is made. Elsewhere the same set restores.
TEST_F(RestoreRunTest, ARestoreFolderOnTheSwappedDiskIsRefused) {
    test::FakeDriveTree tree;
    const char* stickPath =
        "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb";
    tree.AddDisk(stickPath, "8:16", false);
    tree.AddPartition(stickPath, "sdb1", "8:17");
    const std::string stick = tree.Mount("stick", "8:17", "vfat", "/dev/sdb1");
    ASSERT_EQ(GetDriveKind(stick), "Rem");
    stdfs::create_directories(stick + "/set");
    std::ofstream(stick + "/set/_index.@txt", std::ios::binary) << IndexLine("", "a", "a");
    std::ofstream(stick + "/set/_Disk.@ID", std::ios::binary) << IdentityLine("s", 1, 2);
    std::ofstream(stick + "/set/a", std::ios::binary) << "a";
    host.fields.destination = stick + "/set";
    host.fields.restoreTo = stick + "/out";
    RestoreDisks(session, host);
    EXPECT_EQ(host.DialogTexts(),
              std::vector<std::string>{msg::kRestoreOntoSwappedDrive + stick + "/out/"});
    EXPECT_FALSE(stdfs::exists(stick + "/out"));

    ScriptedHost elsewhere;
    elsewhere.fields.destination = stick + "/set";
    elsewhere.fields.restoreTo = set.root / "out";
    elsewhere.Answer(Button::Abort, kSwap1);
    RestoreDisks(session, elsewhere);
    EXPECT_EQ(set.Out("a"), "a");
}

TEST_F(RestoreRunTest, RestoresAShiftJisIndexWrittenByAnotherProgram) {
    // 表 is 0x95 0x5C in CP932: its second byte is the folder separator's.
    const std::string hyou = "\x95\x5C";
    const std::string index = "\"" + hyou + "\\\",\"" + hyou + ".txt\",\"" + hyou + ".txt\"\r\n" +
                              "\"\",\"\x83\x65\x83\x58\x83\x67.txt\",\"x1\"\r\n";
    set.WriteSetFiles("disk1", index, IdentityLine("sjis", 1, 1));
    set.root.WriteFile("disk1/表.txt", "hyou");
    set.root.WriteFile("disk1/x1", "test");
    set.Insert(1);
    RestoreDisks(session, host);
    EXPECT_EQ(host.DialogTexts(), std::vector<std::string>{kDone + msg::kNoChecksums});
    EXPECT_EQ(set.Out("表/表.txt"), "hyou");
    EXPECT_EQ(set.Out("テスト.txt"), "test");
}

TEST_F(RestoreRunTest, TheGaugeMovesEveryHundredthOfTheIndex) {
    std::vector<SetFile> files;
    for (int i = 0; i < 250; ++i) {
        files.push_back({"many\\", std::to_string(i), std::to_string(i), 1, "x"});
    }
    set.WriteSet("s", files, 1);
    set.Insert(1);
    RestoreDisks(session, host);
    ASSERT_EQ(host.progress.size(), 1u);
    // 250 bytes of 250 files: the starting 0, then every whole percentage once as the bytes
    // reach it (2 bytes are 0.8 %, 1 %; 4 bytes 1.6 %, 2 %).
    const std::vector<int>& gauge = host.progress[0]->gauge;
    ASSERT_EQ(gauge.size(), 101u);
    for (int percent = 0; percent <= 100; ++percent) {
        EXPECT_EQ(gauge[static_cast<std::size_t>(percent)], percent);
    }
    EXPECT_EQ(host.DialogTexts(), std::vector<std::string>{kDone});
}

// The percentages the gauge took while the file was in hand, and whether the whole sequence
// rose from its start to 100 without going back.
std::vector<int> GaugeDuring(const test::ProgressRecord& dialog, const std::string& file) {
    std::vector<int> during;
    for (const test::GaugeMoment& moment : dialog.moments) {
        if (moment.file == file) {
            during.push_back(moment.percent);
        }
    }
    return during;
}

bool RisesToTheEnd(const std::vector<int>& gauge) {
    return !gauge.empty() && gauge.back() == 100 &&
           std::adjacent_find(gauge.begin(), gauge.end(), std::greater_equal<int>()) == gauge.end();
}

// A set of one 40 MiB file among many small ones: restoring it and checking it both move the
// gauge with every chunk of the large file, and end at 100. A set of empty files only has no
// bytes: its gauge follows the files and ends at 100 too.
TEST_F(RestoreRunTest, TheGaugeMovesWithTheBytesOfALargeFileRestoredAndChecked) {
    std::vector<SetFile> files{
        {"big\\", "large.bin", "large.bin", 1, test::PatternBytes(std::size_t{40} << 20)}};
    for (int i = 0; i < 300; ++i) {
        files.push_back(
            {"small\\", std::to_string(i), "s" + std::to_string(i), 1, std::string(1000, 's')});
    }
    set.WriteSet("s", files, 1);
    set.Insert(1);
    RestoreDisks(session, host);
    EXPECT_EQ(host.DialogTexts(), std::vector<std::string>{kDone});
    ASSERT_EQ(host.progress.size(), 1u);
    // 40 MiB of 40.3 MiB, copied in chunks of 8 MiB: about a fifth each.
    const std::vector<int> restoring = GaugeDuring(*host.progress[0], "big/large.bin");
    ASSERT_GE(restoring.size(), 4u) << ::testing::PrintToString(host.progress[0]->gauge);
    EXPECT_LE(restoring.front(), 25);
    EXPECT_TRUE(RisesToTheEnd(host.progress[0]->gauge))
        << ::testing::PrintToString(host.progress[0]->gauge);

    CheckSetDisks(host);
    ASSERT_EQ(host.progress.size(), 2u);
    EXPECT_EQ(host.DialogTexts().back(), msg::kCheckAllGood);
    // Read back in chunks of 4 MiB: about a tenth each.
    const std::vector<int> checking = GaugeDuring(*host.progress[1], "big/large.bin");
    ASSERT_GE(checking.size(), 8u) << ::testing::PrintToString(host.progress[1]->gauge);
    EXPECT_LE(checking.front(), 12);
    EXPECT_TRUE(RisesToTheEnd(host.progress[1]->gauge))
        << ::testing::PrintToString(host.progress[1]->gauge);

    DiskSetFixture empty;
    empty.WriteSet("e", {{"", "a", "a", 1, ""}, {"", "b", "b", 1, ""}, {"", "c", "c", 1, ""}}, 1);
    empty.Insert(1);
    ScriptedHost second;
    empty.UseFields(second);
    Session again;
    RestoreDisks(again, second);
    EXPECT_EQ(second.progress[0]->gauge, (std::vector<int>{0, 33, 67, 100}));
    CheckSetDisks(second);
    EXPECT_EQ(second.progress[1]->gauge, (std::vector<int>{0, 33, 67, 100}));
}

TEST_F(RestoreRunTest, RestoredFilesKeepTheirModificationTimes) {
    set.WriteSet("s", {{"", "old.txt", "old.txt", 1, "old"}}, 1);
    auto then = stdfs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    stdfs::last_write_time(set.root / "disk1/old.txt", then);
    set.Insert(1);
    RestoreDisks(session, host);
    EXPECT_EQ(stdfs::last_write_time(set.root / "out/old.txt"), then);
}

// The dialog a refused copy shows: from the disk's stored file to its place, with the reason.
std::string CopyFailedText(const ScriptedHost& host, const std::string& stored,
                           const std::string& target, const std::string& reason) {
    return Formatted(msg::kCopyFailed, host.fields.destination + "/" + stored,
                     host.fields.restoreTo + "/" + target, reason);
}

TEST_F(RestoreRunTest, ALinkInTheRestoreFolderIsNeverWrittenThroughAtAnyDepth) {
    set.WriteSet("s",
                 {
                     {"", "top.txt", "top.txt", 1, "top"},
                     {"pics\\", "p.jpg", "p.jpg", 1, "pic"},
                     {"docs\\", "c.txt", "c.txt", 1, "docs c"},
                     {"docs\\old\\", "a.txt", "a.txt", 1, "old a"},
                     {"docs\\old\\deep\\", "b.txt", "b.txt", 1, "deep b"},
                     {"x\\y\\z\\", "d.txt", "d.txt", 1, "d"},
                 },
                 1);
    set.Insert(1);
    // Links named like folders of the set, one, two and three folders down, all pointing at a
    // folder outside that holds files of the same names.
    set.root.WriteFile("canary/p.jpg", "outside p");
    set.root.WriteFile("canary/a.txt", "outside a");
    set.root.WriteFile("canary/deep/b.txt", "outside b");
    set.root.WriteFile("canary/d.txt", "outside d");
    set.root.MakeFolder("out/docs");
    set.root.MakeFolder("out/x/y");
    stdfs::create_symlink(set.root / "canary", set.root / "out/pics");
    stdfs::create_symlink(set.root / "canary", set.root / "out/docs/old");
    stdfs::create_symlink(set.root / "canary", set.root / "out/x/y/z");
    const test::TreeSnapshot canary = test::SnapshotOf(set.root / "canary");
    for (int i = 0; i < 4; ++i) {
        host.Answer(Button::Ignore);
    }
    RestoreDisks(session, host);

    const std::string out = host.fields.restoreTo + "/";
    const auto through = [&](const std::string& link) {
        return std::string(msg::kReasonLinkInTheWay) + out + link;
    };
    std::vector<std::string> shown = host.DialogTexts();
    ASSERT_EQ(shown.size(), 5u);
    std::sort(shown.begin(), shown.end() - 1); // the disk is listed in no particular order
    std::vector<std::string> refused = {
        CopyFailedText(host, "a.txt", "docs/old/a.txt", through("docs/old")),
        CopyFailedText(host, "b.txt", "docs/old/deep/b.txt", through("docs/old")),
        CopyFailedText(host, "d.txt", "x/y/z/d.txt", through("x/y/z")),
        CopyFailedText(host, "p.jpg", "pics/p.jpg", through("pics")),
    };
    std::sort(refused.begin(), refused.end());
    EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.end() - 1), refused);
    EXPECT_TRUE(shown.back().starts_with(kDone + "\n\nコピーできなかったファイルが 4 個あります。"))
        << shown.back();
    EXPECT_EQ(test::Differences(canary, test::SnapshotOf(set.root / "canary")),
              std::vector<std::string>{});
    EXPECT_TRUE(stdfs::is_symlink(set.root / "out/pics"));
    EXPECT_EQ(set.Out("top.txt"), "top");
    EXPECT_EQ(set.Out("docs/c.txt"), "docs c");
}

TEST_F(RestoreRunTest, StoredFilesThatAreLinksOrSpecialFilesAreNeverReadAndCountAsMissing) {
    set.WriteSet("s",
                 {
                     {"", "a.txt", "a.txt", 1, "a"},
                     {"", "secret.txt", "secret.txt", 1, "replaced below"},
                     {"", "fifo", "fifo", 1, "replaced below"},
                     {"d\\", "ok.txt", "ok.txt", 1, "ok"},
                 },
                 1);
    set.root.WriteFile("elsewhere/secret.txt", "not part of the set");
    stdfs::remove(set.root / "disk1/secret.txt");
    stdfs::create_symlink(set.root / "elsewhere/secret.txt", set.root / "disk1/secret.txt");
    stdfs::remove(set.root / "disk1/fifo");
    ASSERT_EQ(mkfifo((set.root / "disk1/fifo").c_str(), 0666), 0);
    set.Insert(1);
    // What a killed restore left in a folder it writes to goes; a user's file like it stays.
    const std::string leftover = "d/" + TemporaryName();
    set.root.WriteFile("out/" + leftover, "half written");
    set.root.WriteFile("out/d/.arbolink-copy-mine", "the user's");
    RestoreDisks(session, host);

    EXPECT_EQ(
        host.DialogTexts(),
        (std::vector<std::string>{
            kDone + "\n\nどのディスクにもなかったファイルが 2 個あります。\nsecret.txt\nfifo"}));
    EXPECT_FALSE(set.OutExists("secret.txt"));
    EXPECT_FALSE(set.OutExists("fifo"));
    EXPECT_EQ(set.Out("a.txt"), "a");
    EXPECT_EQ(set.Out("d/ok.txt"), "ok");
    EXPECT_FALSE(set.OutExists(leftover));
    EXPECT_EQ(set.Out("d/.arbolink-copy-mine"), "the user's");
}

// A read of the disk that fails once the disk is out, as a pulled stick's does.
bool diskPulled = false;
ssize_t ReadUnlessPulled(int fd, void* buffer, std::size_t size) {
    if (diskPulled) {
        errno = EIO;
        return -1;
    }
    return SystemCopyCalls().read(fd, buffer, size);
}

ssize_t NoKernelCopy(int, int, std::size_t) {
    errno = EXDEV; // the plain copy then, whose reads the pull makes fail
    return -1;
}

TEST_F(RestoreRunTest, ADiskPulledDuringACopyIsNamedAsTheDiskNotAsAMissingFile) {
    set.WriteSet("s", {{"", "big.bin", "big.bin", 1, test::PatternBytes(20 << 20)}}, 1);
    set.root.MakeFolder("drive");
    test::TmpfsDisk disk(set.root / "drive", 64 * 1024);
    if (!disk.Insert()) {
        GTEST_SKIP() << disk.error();
    }
    // The disk's root is a drive root: the set lives in its "@dummy@" folder.
    stdfs::copy(set.root / "disk1", set.root / "drive/@dummy@");
    set.root.MakeFolder("out");
    VolumeWatch watch;
    watch.Remember(host.fields.destination);
    const CopyCalls system = ActiveCopyCalls();
    ActiveCopyCalls().read = ReadUnlessPulled;
    ActiveCopyCalls().copyRange = NoKernelCopy;
    diskPulled = false;
    host.onProcessMessages = [&] {
        if (host.openProgressDialogs > 0 && !diskPulled) {
            diskPulled = true;
            disk.Eject();
        }
    };
    const std::string noDisk =
        CopyFailedText(host, "@dummy@/big.bin", "big.bin", msg::kReasonNoDisk);
    host.Answer(Button::Abort, noDisk);
    RestoreDisks(session, host);
    ActiveCopyCalls() = system;

    EXPECT_EQ(host.DialogTexts(),
              (std::vector<std::string>{
                  noDisk, std::string(msg::kRestoreAborted) +
                              "\n\n復元されなかったファイルが 1 個あります。\nbig.bin"}));
    EXPECT_FALSE(set.OutExists("big.bin"));
    EXPECT_EQ(host.UnusedAnswers(), 0u);
}

} // namespace
} // namespace arbolink
