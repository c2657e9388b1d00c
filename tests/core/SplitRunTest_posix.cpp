// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/wFile/SplitRun.h"

#include "core/Formatted.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/Planning.h"
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/RestoreRun.h"
#include "core/rFile/SetReader.h"
#include "core/wFile/WriteMessages.h"
#include "fs/Drives.h"
#include "fs/Folders.h"
#include "support/DiskSetFixture.h"
#include "support/FakeDriveTree_posix.h"
#include "support/PatternBytes.h"
#include "support/ShownDialogs.h"
#include "support/TmpfsDisk_posix.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::DialogRecord;
using test::DiskSetFixture;
using test::Event;
using test::Filled;
using test::PlainShown;
using test::ScriptedHost;
using test::Shown;
using test::ShownDialogs;
using test::WarningShown;

struct SourceFile {
    std::string path; // below the source folder
    std::size_t size;
    char fill;
};

// Nine files for disks of ten 512-byte clusters. One cluster is kept for the index, and each
// disk's tally starts with it again, so eight clusters take files: disk 1 gets the two of
// four clusters, disk 2 the two of three and one of two, disk 3 the rest.
const std::vector<SourceFile>& NineFiles() {
    static const std::vector<SourceFile> files = {
        {"big1.bin", 2048, 'a'},     {"dir/big2.bin", 2000, 'b'}, {"写真/2026/表.jpg", 1500, 'c'},
        {"docs/mid.txt", 1400, 'd'}, {"docs/a.txt", 1000, 'e'},   {"docs/sub/a.txt", 900, 'f'},
        {"docs/A.txt", 500, 'g'},    {"top.txt", 100, 'h'},       {"empty", 0, 'i'},
    };
    return files;
}

std::string Prompt(int disk) {
    return Formatted(msg::kInsertDisk, disk);
}

Shown PromptShown(int disk) {
    return {DialogKind::Confirmation, Prompt(disk), {Button::Ok, Button::Abort}};
}

// A disk check or set-file question: confirmation with Abort and Retry.
Shown CheckShown(const std::string& text) {
    return {DialogKind::Confirmation, text, {Button::Abort, Button::Retry}};
}

Shown CopyFailedShown(const std::string& path, const std::string& reason) {
    return {DialogKind::Error,
            Filled(msg::kSplitCopyFailed, {path, reason}),
            {Button::Abort, Button::Retry, Button::Ignore}};
}

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : stdfs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class SplitRunTest : public ::testing::Test {
protected:
    SplitRunTest() {
        set.UseFields(host);
        set.root.MakeFolder("drive");
        for (const SourceFile& file : NineFiles()) {
            set.root.WriteFile("src/" + file.path, std::string(file.size, file.fill));
            stdfs::last_write_time(set.root / ("src/" + file.path), kOldTime);
        }
    }

    std::string Source() const { return set.root / "src"; }
    std::string Drive() const { return set.root / "drive"; }
    std::string Disk(int disk) const { return set.root / ("disk" + std::to_string(disk)); }

    // Plans the source for disks of capacity clusters of 512 bytes, as the planning run does.
    void Plan(std::int64_t capacity = 14, bool copyProgram = false) {
        ScriptedHost planner;
        PlanRequest request;
        request.source = Source();
        request.destination = host.fields.destination;
        request.copyProgram = copyProgram;
        request.clusterSize = 512;
        request.capacity = capacity;
        ASSERT_EQ(RunPlanning(values, planner, request), PlanOutcome::Complete);
        ASSERT_TRUE(planner.dialogs.empty());
    }

    WriteOutcome Write(bool copyProgram = false) {
        WriteRequest request;
        request.clusterSize = 512;
        request.copyProgram = copyProgram;
        return WriteDisks(values, host, request);
    }

    // Takes a written disk out of the drive, keeping it as "disk<n>", and leaves the drive
    // empty, as a user puts in a fresh disk.
    void TakeOut() {
        if (!stdfs::is_empty(Drive())) {
            stdfs::rename(Drive(), Disk(++taken_));
            stdfs::create_directory(Drive());
        }
    }

    // Swaps disks at every disk prompt; the main window must be enabled while it is asked.
    void SwapAtPrompts() {
        host.onDialog = [this](const DialogRecord& dialog) {
            if (IsFilledIn(msg::kInsertDisk, dialog.text)) {
                EXPECT_TRUE(host.mainWindowEnabled) << dialog.text;
                TakeOut();
            }
        };
    }

    void AnswerPrompts(int disks) {
        for (int disk = 1; disk <= disks; ++disk) {
            host.Answer(Button::Ok, Prompt(disk));
        }
    }

    // What disk n should hold: the two set files and the stored names planned for it.
    std::vector<std::string> PlannedNames(int disk) const {
        std::vector<std::string> names = {kIdentityFileName, kIndexFileName, kChecksumListName,
                                          kSetMapName};
        for (std::int64_t row = 0; row < values.FileCount; ++row) {
            auto r = static_cast<std::size_t>(row);
            if (values.Table.Number(Column::Disk, r) == disk) {
                names.push_back(values.Table.Cell(StoredName, r));
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // A source file's full path, as the run names it.
    std::string SourcePath(const std::string& relative) const { return Source() + "/" + relative; }

    // Restores the disks kept as disk1 .. disk<count> into "out" with the restore run.
    void RestoreTheSet(int count) {
        Session session;
        ScriptedHost restorer;
        set.UseFields(restorer);
        set.root.MakeFolder("out");
        set.Insert(1);
        std::vector<std::string> others;
        for (int disk = 2; disk <= count; ++disk) {
            others.push_back("disk" + std::to_string(disk));
            restorer.Answer(Button::Yes, Formatted(msg::kSwapDiskLeft, count - disk + 1));
        }
        set.SwapAtQuestions(restorer, others);
        RestoreDisks(session, restorer);
        EXPECT_EQ(restorer.DialogTexts().back(), msg::kRestoreFinished);
        for (const SourceFile& file : NineFiles()) {
            EXPECT_EQ(set.Out(file.path), std::string(file.size, file.fill)) << file.path;
            EXPECT_EQ(stdfs::last_write_time(set.root / ("out/" + file.path)), kOldTime);
        }
    }

    static inline const stdfs::file_time_type kOldTime =
        stdfs::file_time_type::clock::now() - std::chrono::hours(24 * 400);

    PlanningValues values;
    ScriptedHost host;
    DiskSetFixture set;
    int taken_ = 0;
};

TEST_F(SplitRunTest, WritesEveryDiskOfTheSetAndTheSetRestores) {
    Plan();
    ASSERT_EQ(values.DiskCount, 3);
    SwapAtPrompts();
    AnswerPrompts(3);
    EXPECT_EQ(Write(), WriteOutcome::Finished);
    TakeOut();

    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{PromptShown(1), PromptShown(2), PromptShown(3),
                                  PlainShown(msg::kCopyFinished)}));
    // The default beep comes just before every prompt and before the closing message.
    for (std::size_t i = 0; i < host.events.size(); ++i) {
        if (host.events[i].type == Event::Type::Dialog) {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(host.events[i - 1].type, Event::Type::Beep) << host.events[i].detail;
        }
    }
    EXPECT_EQ(values.RunStatus, kRunning);

    // Every disk holds the index of the whole set, its own identity and its own files only.
    const std::string index = set.root.ReadFile("disk1/" + std::string(kIndexFileName));
    const std::string setId = ParseIdentity(set.root.ReadFile("disk1/_Disk.@ID")).setId;
    // The date and time, then the run's own random tag.
    EXPECT_NE(setId.find(" #"), std::string::npos) << setId;
    EXPECT_EQ(setId.size() - setId.find(" #"), 18u) << setId;
    for (int disk = 1; disk <= 3; ++disk) {
        const std::string folder = "disk" + std::to_string(disk) + "/";
        EXPECT_EQ(NamesIn(Disk(disk)), PlannedNames(disk)) << disk;
        EXPECT_EQ(set.root.ReadFile(folder + kIndexFileName), index);
        EXPECT_EQ(set.root.ReadFile(folder + kIdentityFileName), IdentityLine(setId, disk, 3));
    }
    EXPECT_EQ(PlannedNames(1),
              (std::vector<std::string>{"_Disk.@ID", "_Disk.@sha256", "_index.@map", "_index.@txt",
                                        "big1.bin", "big2.bin"}));
    EXPECT_EQ(set.root.ReadFile("disk3/a.txt-0"), std::string(900, 'f'));
    RestoreTheSet(3);
}

TEST_F(SplitRunTest, EachDiskIsCopiedBehindItsOwnDialogWhoseGaugeGoesOnAcrossDisks) {
    Plan();
    SwapAtPrompts();
    AnswerPrompts(3);
    Write();
    ASSERT_EQ(host.progress.size(), 3u);
    for (const auto& dialog : host.progress) {
        // Copied, then read back from the disk under a caption of its own.
        EXPECT_EQ(dialog->caption, "検査中．．．");
        EXPECT_EQ(dialog->message, "From : " + Source() + "/\n  To : " + Drive());
        EXPECT_TRUE(dialog->released);
    }
    // Nine files of 9,448 bytes, each written and then read back: 18,896 bytes to go. Disk 1
    // writes 2,048 and 2,000 bytes and reads them back, disk 2 1,500, 1,400 and 1,000, disk 3
    // the rest; each disk's dialog starts where the one before ended, and a step that does
    // not change the percentage (the empty file, 100 bytes at 92 %) sets nothing.
    EXPECT_EQ(host.progress[0]->gauge, (std::vector<int>{0, 11, 21, 32, 43}));
    EXPECT_EQ(host.progress[1]->gauge, (std::vector<int>{43, 51, 58, 63, 71, 79, 84}));
    EXPECT_EQ(host.progress[2]->gauge, (std::vector<int>{84, 89, 92, 97, 99, 100}));

    // The window is disabled before the dialog is made and enabled after it is released.
    std::vector<std::string> order;
    for (const Event& event : host.events) {
        if (event.type == Event::Type::WindowDisabled) {
            order.push_back("disabled");
        } else if (event.type == Event::Type::WindowEnabled) {
            order.push_back("enabled");
        } else if (event.type == Event::Type::Progress &&
                   (event.detail.starts_with("size") || event.detail == "release")) {
            order.push_back(event.detail);
        }
    }
    std::vector<std::string> perDisk = {"disabled", "size 350x240", "release", "enabled"};
    std::vector<std::string> expected;
    for (int disk = 0; disk < 3; ++disk) {
        expected.insert(expected.end(), perDisk.begin(), perDisk.end());
    }
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(host.mainWindowEnabled);

    // The set-up of the first dialog, call by call, up to its first paint.
    std::vector<std::string> setUp;
    for (const Event& event : host.events) {
        if (event.type == Event::Type::Progress) {
            setUp.push_back(event.detail);
            if (event.detail == "repaint") {
                break;
            }
        }
    }
    EXPECT_EQ(setUp, (std::vector<std::string>{
                         "size 350x240", "caption 複写中．．．", "animation copy -1,8 playing",
                         "message 8,72 330x50 left From : " + Source() + "/\n  To : " + Drive(),
                         "gauge-at 24,136", "gauge 0", "show", "repaint"}));
}

TEST_F(SplitRunTest, NoDisksMeansOnlyTheClosingMessage) {
    values.DiskCount = 0;
    EXPECT_EQ(Write(), WriteOutcome::Finished);
    EXPECT_EQ(ShownDialogs(host), std::vector<Shown>{PlainShown(msg::kCopyFinished)});
    EXPECT_TRUE(host.progress.empty());
}

TEST_F(SplitRunTest, AbortAtAPromptEndsTheRunWithoutAClosingMessage) {
    Plan();
    SwapAtPrompts();
    host.Answer(Button::Ok, Prompt(1));
    host.Answer(Button::Abort, Prompt(2));
    EXPECT_EQ(Write(), WriteOutcome::Aborted);
    EXPECT_EQ(ShownDialogs(host), (std::vector<Shown>{PromptShown(1), PromptShown(2)}));
    EXPECT_EQ(values.RunStatus, kRunning);
    EXPECT_EQ(NamesIn(Disk(1)), PlannedNames(1));
    EXPECT_TRUE(stdfs::is_empty(Drive()));
}

TEST_F(SplitRunTest, TheDiskLeftInTheDriveIsRefusedUntilItIsSwapped) {
    Plan();
    AnswerPrompts(2);
    host.Answer(Button::Retry, msg::kSwapDisk);
    host.Answer(Button::Ok, Prompt(3));
    // The user swaps only when told to.
    host.onDialog = [this](const DialogRecord& dialog) {
        if (dialog.text == msg::kSwapDisk || dialog.text == Prompt(3)) {
            TakeOut();
        }
    };
    EXPECT_EQ(Write(), WriteOutcome::Finished);
    TakeOut();
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{PromptShown(1), PromptShown(2), CheckShown(msg::kSwapDisk),
                                  PromptShown(3), PlainShown(msg::kCopyFinished)}));
    for (int disk = 1; disk <= 3; ++disk) {
        EXPECT_EQ(NamesIn(Disk(disk)), PlannedNames(disk)) << disk;
    }
    RestoreTheSet(3);
}

TEST_F(SplitRunTest, AFolderOnAFixedDiskRefusesTheSecondDiskOnEveryRetry) {
    Plan();
    AnswerPrompts(2);
    host.Answer(Button::Retry, msg::kSwapDisk);
    host.Answer(Button::Retry, msg::kSwapDisk);
    host.Answer(Button::Abort, msg::kSwapDisk);
    EXPECT_EQ(Write(), WriteOutcome::Aborted);
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{PromptShown(1), PromptShown(2), CheckShown(msg::kSwapDisk),
                                  CheckShown(msg::kSwapDisk), CheckShown(msg::kSwapDisk)}));
    EXPECT_EQ(NamesIn(Drive()), PlannedNames(1));
    EXPECT_EQ(host.progress.size(), 1u);
}

TEST_F(SplitRunTest, ADiskOfAnEarlierSetIsRefusedAndLeftAlone) {
    set.WriteSetFiles("drive", IndexLine("", "old.txt", "old.txt"),
                      IdentityLine("2020/01/01 0:00:00", 2, 2));
    set.root.WriteFile("drive/old.txt", "old");
    Plan();
    AnswerPrompts(1);
    host.Answer(Button::Retry, msg::kSwapDisk);
    host.Answer(Button::Abort, Prompt(2));
    host.onDialog = [this](const DialogRecord& dialog) {
        if (dialog.text == msg::kSwapDisk) {
            EXPECT_EQ(set.root.ReadFile("drive/_Disk.@ID"),
                      IdentityLine("2020/01/01 0:00:00", 2, 2));
            EXPECT_EQ(NamesIn(Drive()),
                      (std::vector<std::string>{"_Disk.@ID", "_index.@txt", "old.txt"}));
            TakeOut();
        }
    };
    Write();
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{PromptShown(1), CheckShown(msg::kSwapDisk), PromptShown(2)}));
    EXPECT_EQ(set.root.ReadFile("disk1/old.txt"), "old");
    EXPECT_EQ(NamesIn(Drive()), PlannedNames(1));
}

TEST_F(SplitRunTest, ADiskOfASetIsToldToBeSwappedBeforeItsRoomIsLookedAt) {
    Plan();
    set.WriteSetFiles("drive", "", IdentityLine("2020/01/01 0:00:00", 1, 1));
    values.DiskUsage[0] = "4000000000000";
    AnswerPrompts(1);
    host.Answer(Button::Abort, msg::kSwapDisk);
    EXPECT_EQ(Write(), WriteOutcome::Aborted);
    EXPECT_EQ(ShownDialogs(host), (std::vector<Shown>{PromptShown(1), CheckShown(msg::kSwapDisk)}));
}

TEST_F(SplitRunTest, NotEnoughRoomIsAskedAgainUntilItFitsInSixtyFourBits) {
    Plan();
    // Four thousand billion clusters: more than 32 bits hold, more than any disk here has.
    values.DiskUsage[0] = "4000000000000";
    AnswerPrompts(1);
    host.Answer(Button::Retry, msg::kNotEnoughRoom);
    host.Answer(Button::Abort, Prompt(2));
    host.onDialog = [this](const DialogRecord& dialog) {
        if (dialog.text == msg::kNotEnoughRoom) {
            EXPECT_TRUE(stdfs::is_empty(Drive())); // nothing is written before the checks pass
            values.DiskUsage[0] = "";              // an empty entry counts as nothing needed
        }
    };
    Write();
    EXPECT_EQ(
        ShownDialogs(host),
        (std::vector<Shown>{PromptShown(1), CheckShown(msg::kNotEnoughRoom), PromptShown(2)}));
    EXPECT_EQ(NamesIn(Drive()), PlannedNames(1));
}

TEST_F(SplitRunTest, ADiskPulledBeforeThePromptIsAnsweredIsNoDisk) {
    test::FakeDriveTree tree;
    const std::string stick = tree.Mount("stick", "0:40", "vfat", "/dev/sdb1");
    host.fields.destination = stick;
    Plan();
    VolumeWatch watch;
    watch.Remember(stick);
    AnswerPrompts(1);
    host.Answer(Button::Retry, msg::kNoDisk);
    host.Answer(Button::Retry, msg::kNoDisk);
    host.Answer(Button::Abort, msg::kNotEnoughRoom);
    int noDisk = 0;
    host.onDialog = [&](const DialogRecord& dialog) {
        if (dialog.text == Prompt(1)) {
            tree.Unmount(stick);
        } else if (dialog.text == msg::kNoDisk && ++noDisk == 2) {
            tree.Mount("stick", "0:40", "vfat", "/dev/sdb1");
        }
    };
    // The room check would fail as well; the medium is checked first.
    values.DiskUsage[0] = "4000000000000";
    Write();
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{PromptShown(1), CheckShown(msg::kNoDisk),
                                  CheckShown(msg::kNoDisk), CheckShown(msg::kNotEnoughRoom)}));
}

TEST_F(SplitRunTest, AFailedCopyIsRetriedOnRetry) {
    Plan();
    const std::string lost = SourcePath("docs/mid.txt");
    stdfs::rename(lost, lost + ".away");
    SwapAtPrompts();
    AnswerPrompts(2);
    host.Answer(Button::Retry, Filled(msg::kSplitCopyFailed, {lost, msg::kReasonNotFound}));
    host.Answer(Button::Ok, Prompt(3));
    host.onDialog = [&, swap = host.onDialog](const DialogRecord& dialog) {
        swap(dialog);
        if (dialog.kind == DialogKind::Error) {
            EXPECT_EQ(host.openProgressDialogs, 1); // asked while the disk's dialog is up
            stdfs::rename(lost + ".away", lost);
        }
    };
    EXPECT_EQ(Write(), WriteOutcome::Finished);
    TakeOut();
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{PromptShown(1), PromptShown(2),
                                  CopyFailedShown(lost, msg::kReasonNotFound), PromptShown(3),
                                  PlainShown(msg::kCopyFinished)}));
    RestoreTheSet(3);
}

TEST_F(SplitRunTest, AFileIgnoredIsNotCountedAndIsNamedAtTheEnd) {
    Plan();
    const std::string lost = SourcePath("big1.bin");
    stdfs::remove(lost);
    SwapAtPrompts();
    AnswerPrompts(1);
    host.Answer(Button::Ignore, Filled(msg::kSplitCopyFailed, {lost, msg::kReasonNotFound}));
    host.Answer(Button::Ok, Prompt(2));
    host.Answer(Button::Ok, Prompt(3));
    EXPECT_EQ(Write(), WriteOutcome::FinishedWithMisses);
    TakeOut();
    EXPECT_EQ(
        ShownDialogs(host),
        (std::vector<Shown>{PromptShown(1), CopyFailedShown(lost, msg::kReasonNotFound),
                            PromptShown(2), PromptShown(3),
                            WarningShown(Filled(msg::kNotCopiedHeader, {"1"}) + "\n" + lost)}));
    EXPECT_FALSE(stdfs::exists(Disk(1) + "/big1.bin"));
    // The gauge counts only what was copied: the 2,048 bytes of big1.bin, to be written and
    // read back, are missing from the 18,896 at the end.
    EXPECT_EQ(host.progress[0]->gauge, (std::vector<int>{0, 11, 21}));
    EXPECT_EQ(host.progress[2]->gauge.back(), 78);
}

TEST_F(SplitRunTest, AbortInACopyFailureEndsTheRunAtOnce) {
    Plan();
    const std::string lost = SourcePath("dir/big2.bin");
    stdfs::remove(lost);
    SwapAtPrompts();
    AnswerPrompts(1);
    host.Answer(Button::Abort, Filled(msg::kSplitCopyFailed, {lost, msg::kReasonNotFound}));
    EXPECT_EQ(Write(), WriteOutcome::Aborted);
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{PromptShown(1), CopyFailedShown(lost, msg::kReasonNotFound)}));
    EXPECT_EQ(values.RunStatus, kRunning);
    ASSERT_EQ(host.progress.size(), 1u);
    EXPECT_TRUE(host.progress[0]->released);
    EXPECT_TRUE(host.mainWindowEnabled);
}

TEST_F(SplitRunTest, AFileThatChangedSizeSincePlanningIsReportedLikeAFailedCopy) {
    Plan();
    const std::string grown = SourcePath("top.txt");
    set.root.WriteFile("src/top.txt", std::string(5000, 'h'));
    SwapAtPrompts();
    AnswerPrompts(3);
    host.Answer(Button::Retry, Filled(msg::kSplitCopyFailed, {grown, msg::kReasonSizeChanged}));
    host.Answer(Button::Ignore, Filled(msg::kSplitCopyFailed, {grown, msg::kReasonSizeChanged}));
    EXPECT_EQ(Write(), WriteOutcome::FinishedWithMisses);
    TakeOut();
    const Shown failed = CopyFailedShown(grown, msg::kReasonSizeChanged);
    EXPECT_EQ(
        ShownDialogs(host),
        (std::vector<Shown>{PromptShown(1), PromptShown(2), PromptShown(3), failed, failed,
                            WarningShown(Filled(msg::kNotCopiedHeader, {"1"}) + "\n" + grown)}));
    EXPECT_FALSE(stdfs::exists(Disk(3) + "/top.txt"));
}

TEST_F(SplitRunTest, ManyFilesNotCopiedAreCountedAndTheFirstTwentyNamed) {
    std::vector<std::string> lost;
    for (int i = 0; i < 25; ++i) {
        std::string name = "many/" + std::to_string(100 + i);
        set.root.WriteFile("src/" + name, "x");
        lost.push_back(SourcePath(name));
    }
    Plan(1000);
    ASSERT_EQ(values.DiskCount, 1);
    AnswerPrompts(1);
    for (const std::string& path : lost) {
        stdfs::remove(path);
        host.Answer(Button::Ignore);
    }
    EXPECT_EQ(Write(), WriteOutcome::FinishedWithMisses);
    // They are named in the order they were met, the order of the table.
    std::string expected = Filled(msg::kNotCopiedHeader, {"25"});
    int named = 0;
    for (std::size_t row = 0; row < static_cast<std::size_t>(values.FileCount); ++row) {
        if (values.Table.Cell(Folder, row) == "many\\" && named++ < 20) {
            expected += "\n" + SourcePath("many/" + values.Table.Cell(Name, row));
        }
    }
    expected += "\n" + Filled(msg::kNotCopiedMore, {"5"});
    EXPECT_EQ(host.DialogTexts().back(), expected);
    EXPECT_EQ(host.dialogs.back().kind, DialogKind::Warning);
    EXPECT_EQ(host.UnusedAnswers(), 0u);
}

TEST_F(SplitRunTest, SetFilesThatCannotBeWrittenAskToRetryTheDisk) {
    Plan();
    // A folder where the index should go: the file cannot be put in its place.
    set.root.MakeFolder("drive/_index.@txt");
    AnswerPrompts(1);
    host.Answer(Button::Retry, msg::kDiskUnusable);
    host.Answer(Button::Abort, msg::kDiskUnusable);
    host.onDialog = [this](const DialogRecord& dialog) {
        if (dialog.text == msg::kDiskUnusable) {
            EXPECT_TRUE(host.progress.empty()); // no file is copied onto such a disk
        }
    };
    EXPECT_EQ(Write(), WriteOutcome::Aborted);
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{PromptShown(1), CheckShown(msg::kDiskUnusable),
                                  CheckShown(msg::kDiskUnusable)}));

    // Once the disk takes the files, the run goes on with it.
    ScriptedHost second;
    second.fields = host.fields;
    second.Answer(Button::Ok, Prompt(1));
    second.Answer(Button::Retry, msg::kDiskUnusable);
    second.Answer(Button::Abort, Prompt(2));
    second.onDialog = [this](const DialogRecord& dialog) {
        if (dialog.text == msg::kDiskUnusable) {
            stdfs::remove(Drive() + "/_index.@txt");
        }
    };
    WriteRequest request;
    request.clusterSize = 512;
    WriteDisks(values, second, request);
    EXPECT_EQ(second.DialogTexts(),
              (std::vector<std::string>{Prompt(1), msg::kDiskUnusable, Prompt(2)}));
    EXPECT_EQ(NamesIn(Drive()), PlannedNames(1));
}

TEST_F(SplitRunTest, TheProgramGoesIntoItsFolderOnDiskOneOnly) {
    set.root.WriteFile("install/arbolink", std::string(300, 'p'));
    values.ProgramFile = set.root / "install/arbolink";
    Plan(15, true);
    ASSERT_EQ(values.DiskCount, 3);
    SwapAtPrompts();
    AnswerPrompts(3);
    EXPECT_EQ(Write(true), WriteOutcome::Finished);
    TakeOut();
    EXPECT_EQ(set.root.ReadFile("disk1/Arbolink/arbolink"), std::string(300, 'p'));
    EXPECT_FALSE(stdfs::exists(Disk(2) + "/Arbolink"));
    EXPECT_FALSE(stdfs::exists(Disk(3) + "/Arbolink"));
    // The program copy is not one of the set's files: the gauge counts nine.
    EXPECT_EQ(host.progress[2]->gauge.back(), 100);
}

TEST_F(SplitRunTest, AProgramCopyThatFailsIsAskedAboutAndNamed) {
    set.root.WriteFile("install/arbolink", std::string(300, 'p'));
    values.ProgramFile = set.root / "install/arbolink";
    Plan(15, true);
    stdfs::remove(values.ProgramFile);
    SwapAtPrompts();
    AnswerPrompts(1);
    host.Answer(Button::Ignore,
                Filled(msg::kSplitCopyFailed, {values.ProgramFile, msg::kReasonNotFound}));
    host.Answer(Button::Ok, Prompt(2));
    host.Answer(Button::Ok, Prompt(3));
    EXPECT_EQ(Write(true), WriteOutcome::FinishedWithMisses);
    EXPECT_EQ(host.DialogTexts()[1],
              Filled(msg::kSplitCopyFailed, {values.ProgramFile, msg::kReasonNotFound}));
    EXPECT_EQ(host.DialogTexts().back(),
              Filled(msg::kNotCopiedHeader, {"1"}) + "\n" + values.ProgramFile);
}

TEST_F(SplitRunTest, CancelDuringTheSecondOfThreeDisks) {
    Plan();
    SwapAtPrompts();
    AnswerPrompts(2);
    host.onProcessMessages = [this] {
        if (host.progress.size() == 2) {
            host.PressCancel();
        }
    };
    EXPECT_EQ(Write(), WriteOutcome::Cancelled);
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{PromptShown(1), PromptShown(2), WarningShown(msg::kCancelled)}));
    EXPECT_EQ(values.RunStatus, kCancelled);
    EXPECT_EQ(NamesIn(Disk(1)), PlannedNames(1));
    // Disk 2 holds its set files and the one file copied before the Cancel took effect.
    EXPECT_EQ(NamesIn(Drive()), (std::vector<std::string>{"_Disk.@ID", "_Disk.@sha256",
                                                          "_index.@map", "_index.@txt", "表.jpg"}));
    EXPECT_TRUE(host.progress[1]->released);
    EXPECT_TRUE(host.mainWindowEnabled);
    // No beep before the cancel message.
    EXPECT_EQ(host.events.back().detail, msg::kCancelled);
    EXPECT_NE(host.events[host.events.size() - 2].type, Event::Type::Beep);
}

TEST_F(SplitRunTest, FilesNotCopiedBeforeACancelFollowTheCancelMessage) {
    Plan();
    const std::string lost = SourcePath("big1.bin");
    stdfs::remove(lost);
    SwapAtPrompts();
    AnswerPrompts(1);
    host.Answer(Button::Ignore, Filled(msg::kSplitCopyFailed, {lost, msg::kReasonNotFound}));
    host.Answer(Button::Ok, Prompt(2));
    host.onProcessMessages = [this] {
        if (host.progress.size() == 2) {
            host.PressCancel();
        }
    };
    EXPECT_EQ(Write(), WriteOutcome::Cancelled);
    EXPECT_EQ(
        ShownDialogs(host).back(),
        WarningShown(msg::kCancelled + Filled(msg::kNotCopiedAfterCancel, {"1"}) + "\n" + lost));
    EXPECT_EQ(host.dialogs.size(), 4u);
}

TEST_F(SplitRunTest, CancelInsideALargeFileAbandonsItAndRemovesThePartialCopy) {
    set.root.WriteFile("src/huge.bin", std::string(std::size_t{20} << 20, 'z'));
    Plan(100000);
    ASSERT_EQ(values.DiskCount, 1);
    AnswerPrompts(1);
    host.onProcessMessages = [this] { host.PressCancel(); };
    EXPECT_EQ(Write(), WriteOutcome::Cancelled);
    EXPECT_EQ(host.DialogTexts().back(), msg::kCancelled);
    // The largest file comes first; it was cut short after its first chunk.
    EXPECT_EQ(NamesIn(Drive()), (std::vector<std::string>{"_Disk.@ID", "_Disk.@sha256",
                                                          "_index.@map", "_index.@txt"}));
    // The gauge moved with the first chunk: 8 MiB of the 20 MiB to be written and read back.
    EXPECT_EQ(host.progress[0]->gauge, (std::vector<int>{0, 20}));
}

TEST_F(SplitRunTest, TheGaugeMovesEveryHundredthOfTheSet) {
    for (int i = 0; i < 241; ++i) {
        set.root.WriteFile("src/many/" + std::to_string(i), "x");
    }
    Plan(100000);
    ASSERT_EQ(values.FileCount, 250);
    AnswerPrompts(1);
    Write();
    // The gauge is set only when its percentage changes: at most once for each, in order.
    const std::vector<int>& gauge = host.progress[0]->gauge;
    EXPECT_EQ(gauge.front(), 0);
    EXPECT_EQ(gauge.back(), 100);
    EXPECT_LE(gauge.size(), 101u);
    EXPECT_EQ(std::adjacent_find(gauge.begin(), gauge.end(), std::greater_equal<int>()),
              gauge.end());
}

// One file of 40 MiB among many small ones: the gauge moves with every chunk of it, while it
// is written and while it is read back, never goes back and ends at 100.
TEST_F(SplitRunTest, TheGaugeMovesWithTheBytesOfALargeFileWrittenAndReadBack) {
    set.root.WriteFile("src/large.bin", test::PatternBytes(std::size_t{40} << 20));
    for (int i = 0; i < 300; ++i) {
        set.root.WriteFile("src/small/" + std::to_string(i), std::string(1000, 's'));
    }
    Plan(200000);
    ASSERT_EQ(values.DiskCount, 1);
    AnswerPrompts(1);
    EXPECT_EQ(Write(), WriteOutcome::Finished);
    ASSERT_EQ(host.progress.size(), 1u);
    const test::ProgressRecord& dialog = *host.progress[0];
    std::vector<int> writing;
    std::vector<int> reading;
    for (const test::GaugeMoment& moment : dialog.moments) {
        if (moment.file == SourcePath("large.bin")) {
            (moment.caption == "複写中．．．" ? writing : reading).push_back(moment.percent);
        }
    }
    // 40 MiB of some 80.6 MiB to move, in chunks of 8 MiB written and 4 MiB read back, each
    // 5 to 10 %. The file goes first, so the gauge starts moving at once.
    ASSERT_GE(writing.size(), 4u);
    EXPECT_LE(writing.front(), 12);
    EXPECT_EQ(writing.back(), 50);
    ASSERT_GE(reading.size(), 4u);
    EXPECT_LE(reading.front(), 62);
    EXPECT_GE(reading.back(), 99);
    EXPECT_EQ(dialog.gauge.front(), 0);
    EXPECT_EQ(dialog.gauge.back(), 100);
    EXPECT_EQ(
        std::adjacent_find(dialog.gauge.begin(), dialog.gauge.end(), std::greater_equal<int>()),
        dialog.gauge.end());
}

TEST_F(SplitRunTest, ADiskPulledDuringACopyIsNamedAsTheDiskAndItsLeftoversGoFromTheNext) {
    test::TmpfsDisk disk(Drive(), 64 * 1024);
    if (!disk.Insert()) {
        GTEST_SKIP() << disk.error();
    }
    set.root.WriteFile("src/zz-big.bin", test::PatternBytes(20 << 20));
    Plan(100000);
    ASSERT_EQ(values.DiskCount, 1);
    VolumeWatch watch;
    watch.Remember(Drive());
    // The disk goes at the first pause inside the large file.
    const std::string big = SourcePath("zz-big.bin");
    host.onProcessMessages = [&] {
        if (disk.inserted() && !host.progress.empty() && !host.progress.back()->files.empty() &&
            host.progress.back()->files.back() == big) {
            disk.Eject();
        }
    };
    AnswerPrompts(1);
    host.Answer(Button::Abort, Filled(msg::kSplitCopyFailed, {big, msg::kNoDisk}));
    EXPECT_EQ(Write(), WriteOutcome::Aborted);
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{PromptShown(1), CopyFailedShown(big, msg::kNoDisk)}));

    // A fresh disk that holds what a killed divide left half written: it is cleaned out
    // before the set is written, and a name merely like it is kept.
    ASSERT_TRUE(disk.Insert());
    const std::string leftover = TemporaryName();
    set.root.WriteFile("drive/" + leftover, "half written");
    set.root.WriteFile("drive/.arbolink-copy-x", "kept");
    ScriptedHost again;
    set.UseFields(again);
    again.Answer(Button::Ok, Prompt(1));
    WriteRequest request;
    request.clusterSize = 512;
    EXPECT_EQ(WriteDisks(values, again, request), WriteOutcome::Finished);
    EXPECT_EQ(again.DialogTexts().back(), msg::kCopyFinished);
    std::vector<std::string> expected = PlannedNames(1);
    expected.push_back(".arbolink-copy-x");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(NamesIn(Drive()), expected);
}

} // namespace
} // namespace arbolink
