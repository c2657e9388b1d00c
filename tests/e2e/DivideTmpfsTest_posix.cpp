// SPDX-License-Identifier: GPL-3.0-or-later
// The split command end to end on small tmpfs disks swapped in one mount point, as a user
// swaps disks in a drive: a set of three disks, the disks a user gets wrong, a disk that fills
// up while it is written, Cancel, and a disk pulled while a prompt is up. Every finished set is
// read back with the restore run. Needs the right to mount (root).
#include "core/Formatted.h"
#include "core/SetFormat.h"
#include "core/divide/DiskAssignment.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/SplitCommand.h"
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/RestoreRun.h"
#include "core/wFile/WriteMessages.h"
#include "support/ShownDialogs.h"
#include "support/TempFolder.h"
#include "support/TmpfsDisk_posix.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::DialogRecord;
using test::Filled;
using test::PlainShown;
using test::ScriptedHost;
using test::Shown;
using test::ShownDialogs;
using test::TempFolder;
using test::TmpfsDisk;
using test::WarningShown;

struct SourceFile {
    std::string path;
    std::size_t size;
    char fill;
};

// Three disks of 1440 KiB in 4 KiB pages. 95 % of a fresh disk is 342 pages; the set's folder
// in the root takes one and the index another, and each disk's tally starts with the index
// again: 339 pages take files. Two of the large files fill a disk, the small ones go last.
const std::vector<SourceFile>& SourceFiles() {
    static const std::vector<SourceFile> files = {
        {"big/one.bin", 600'000, '1'},
        {"big/two.bin", 590'000, '2'},
        {"写真/2026/表.jpg", 580'000, '3'},
        {"写真/2026/裏.jpg", 570'000, '4'},
        {"docs/report.pdf", 560'000, '5'},
        {"docs/old/report.pdf", 550'000, '6'},
        {"docs/a.txt", 3000, 'a'},
        {"docs/A.txt", 2000, 'A'},
        {"top.txt", 1000, 't'},
        {"empty", 0, 'e'},
    };
    return files;
}

constexpr std::size_t kProgramBytes = 100'000;

std::string Prompt(int disk) {
    return Formatted(msg::kInsertDisk, disk);
}

Shown PromptShown(int disk) {
    return {DialogKind::Confirmation, Prompt(disk), {Button::Ok, Button::Abort}};
}

Shown CheckShown(const std::string& text) {
    return {DialogKind::Confirmation, text, {Button::Abort, Button::Retry}};
}

std::string PrepareText(int disks) {
    return Formatted(msg::kPrepareDisks, disks);
}

Shown PrepareShown(int disks) {
    return {DialogKind::Confirmation, PrepareText(disks), {Button::Ok, Button::Cancel}};
}

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : stdfs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Writes a file that takes every page the disk has left.
void FillUp(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const std::string block(4096, 'f');
    while (std::fwrite(block.data(), 1, block.size(), file) == block.size() &&
           std::fflush(file) == 0) {
    }
    std::fclose(file);
}

class DivideTmpfsTest : public ::testing::Test {
protected:
    void SetUp() override {
        root.MakeFolder("drive");
        root.MakeFolder("out");
        drive.emplace(root / "drive", 1440);
        if (!drive->Insert()) {
            GTEST_SKIP() << "tmpfs disks need the right to mount: " << drive->error();
        }
        for (const SourceFile& file : SourceFiles()) {
            root.WriteFile("src/" + file.path, std::string(file.size, file.fill));
        }
        root.WriteFile("install/arbolink", std::string(kProgramBytes, 'p'));
        session.values.ProgramFile = root / "install/arbolink";
        host.fields.source = root / "src";
        host.fields.destination = Drive();
        host.fields.restoreTo = root / "out";
    }

    std::string Drive() const { return root / "drive"; }
    // Where the set lives on the disk in the drive.
    std::string SetFolder() const {
        return host.fields.destination == Drive() ? Drive() + "/" + kDummyFolderName
                                                  : host.fields.destination;
    }
    std::string Written(int disk) const { return root / ("written" + std::to_string(disk)); }

    // Keeps what the disk in the drive holds as disk n of the set.
    void Keep(int disk) { stdfs::copy(Drive(), Written(disk), stdfs::copy_options::recursive); }
    void InsertFresh() { ASSERT_TRUE(drive->Swap()) << drive->error(); }

    // At the prompt for disk n the user takes disk n - 1 out and puts in a fresh one.
    void SwapAtPrompts() {
        host.onDialog = [this](const DialogRecord& dialog) { SwapIfPrompt(dialog); };
    }
    void SwapIfPrompt(const DialogRecord& dialog) {
        if (IsFilledIn(msg::kInsertDisk, dialog.text)) {
            int disk = std::stoi(dialog.text);
            if (disk > 1) {
                Keep(disk - 1);
            }
            InsertFresh();
        }
    }

    void AnswerDivide(int disks) {
        host.Answer(Button::Ok, PrepareText(disks));
        for (int disk = 1; disk <= disks; ++disk) {
            host.Answer(Button::Ok, Prompt(disk));
        }
    }

    // What disk n holds in its set folder, by the plan: the set files and its stored names.
    std::vector<std::string> PlannedNames(int disk) const {
        const PlanningValues& values = session.values;
        std::vector<std::string> names = {kIdentityFileName, kIndexFileName, kChecksumListName,
                                          kSetMapName};
        for (std::int64_t row = 0; row < values.FileCount; ++row) {
            auto r = static_cast<std::size_t>(row);
            if (values.Table.Number(Disk, r) == disk) {
                names.push_back(values.Table.Cell(StoredName, r));
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string WrittenSetFolder(int disk) const {
        return Written(disk) + SetFolder().substr(Drive().size());
    }

    // Reads the kept disks back with the restore run, disk 1 first, into "out".
    ScriptedHost RestoreWritten(int disks) {
        Session reader;
        ScriptedHost restorer;
        restorer.fields = host.fields;
        auto insert = [this](int disk) {
            InsertFresh();
            stdfs::copy(Written(disk), Drive(), stdfs::copy_options::recursive);
        };
        insert(1);
        for (int left = disks - 1; left >= 1; --left) {
            restorer.Answer(Button::Yes, Formatted(msg::kSwapDiskLeft, left));
        }
        restorer.onDialog = [&, next = 2](const DialogRecord& dialog) mutable {
            if (dialog.buttons.size() > 1 && next <= disks) {
                insert(next++);
            }
        };
        RestoreDisks(reader, restorer);
        EXPECT_EQ(restorer.UnusedAnswers(), 0u);
        return restorer;
    }

    void ExpectRestored(const std::vector<std::string>& missing = {}) const {
        for (const SourceFile& file : SourceFiles()) {
            bool expectMissing =
                std::find(missing.begin(), missing.end(), file.path) != missing.end();
            EXPECT_EQ(stdfs::exists(root / ("out/" + file.path)), !expectMissing) << file.path;
            if (!expectMissing) {
                EXPECT_TRUE(root.ReadFile("out/" + file.path) == std::string(file.size, file.fill))
                    << file.path;
            }
        }
    }

    // The copy goes to a temporary name first; none may stay behind.
    static bool HoldsPartialCopies(const std::string& folder) {
        std::vector<std::string> names = NamesIn(folder);
        return std::any_of(names.begin(), names.end(),
                           [](const std::string& name) { return name.starts_with(".arbolink"); });
    }

    TempFolder root;
    std::optional<TmpfsDisk> drive;
    Session session;
    ScriptedHost host;
};

TEST_F(DivideTmpfsTest, ThreeDisksIntoTheSetFolderOfTheRootWithTheProgramOnTheFirst) {
    host.fields.copyProgram = true;
    SwapAtPrompts();
    AnswerDivide(3);
    BitBtn2Click(session, host);
    Keep(3);
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{PrepareShown(3), PromptShown(1), PromptShown(2), PromptShown(3),
                                  PlainShown(msg::kCopyFinished)}));
    for (int disk = 1; disk <= 3; ++disk) {
        // The root of the disk holds the set's folder only.
        EXPECT_EQ(NamesIn(Written(disk)), std::vector<std::string>{kDummyFolderName});
        std::vector<std::string> names = PlannedNames(disk);
        if (disk == 1) {
            names.insert(names.begin(), kProgramFolderName);
        }
        EXPECT_EQ(NamesIn(WrittenSetFolder(disk)), names) << disk;
    }
    EXPECT_EQ(PlannedNames(1).size(), 6u); // two large files on each of the first two disks
    EXPECT_EQ(PlannedNames(3).size(), 10u);
    EXPECT_TRUE(root.ReadFile("written1/@dummy@/Arbolink/arbolink") ==
                std::string(kProgramBytes, 'p'));

    ScriptedHost restorer = RestoreWritten(3);
    EXPECT_EQ(restorer.DialogTexts().back(), msg::kRestoreFinished);
    ExpectRestored();
}

TEST_F(DivideTmpfsTest, ADiskOfAnEarlierSetAndTheDiskLeftInTheDriveAreRefused) {
    // The disk in the drive holds disk 1 of an older set.
    root.WriteFile("drive/@dummy@/_Disk.@ID", IdentityLine("2020/01/01 0:00:00", 1, 2));
    root.WriteFile("drive/@dummy@/_index.@txt", IndexLine("", "old.txt", "old.txt"));
    root.WriteFile("drive/@dummy@/old.txt", "old");
    host.Answer(Button::Ok, PrepareText(3));
    host.Answer(Button::Ok, Prompt(1));
    host.Answer(Button::Retry, msg::kSwapDisk);
    host.Answer(Button::Ok, Prompt(2));
    host.Answer(Button::Retry, msg::kSwapDisk);
    host.Answer(Button::Ok, Prompt(3));
    int refusals = 0;
    host.onDialog = [&](const DialogRecord& dialog) {
        if (dialog.text == msg::kSwapDisk) {
            ++refusals;
            if (refusals == 1) {
                // Refused as it was: nothing of the new set on it.
                EXPECT_EQ(NamesIn(SetFolder()),
                          (std::vector<std::string>{"_Disk.@ID", "_index.@txt", "old.txt"}));
                EXPECT_EQ(root.ReadFile("drive/@dummy@/_Disk.@ID"),
                          IdentityLine("2020/01/01 0:00:00", 1, 2));
                InsertFresh();
            } else {
                Keep(1);
                InsertFresh();
            }
        } else if (dialog.text == Prompt(3)) {
            Keep(2);
            InsertFresh();
        }
        // The prompt for disk 2 is answered with disk 1 still in the drive.
    };
    BitBtn2Click(session, host);
    Keep(3);
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{PrepareShown(3), PromptShown(1), CheckShown(msg::kSwapDisk),
                                  PromptShown(2), CheckShown(msg::kSwapDisk), PromptShown(3),
                                  PlainShown(msg::kCopyFinished)}));
    EXPECT_EQ(NamesIn(WrittenSetFolder(1)), PlannedNames(1));
    EXPECT_EQ(NamesIn(WrittenSetFolder(2)), PlannedNames(2));
    RestoreWritten(3);
    ExpectRestored();
}

// Disk 2 fills up after its checks: the test writes a filler once its first file is in.
class FillingDiskTest : public DivideTmpfsTest {
protected:
    void FillDiskTwoAfterItsFirstFile() {
        host.onProcessMessages = [this] {
            // The planning's dialog, then one per disk.
            if (host.progress.size() == 3 && !filled_) {
                filled_ = true;
                FillUp(SetFolder() + "/filler");
            }
        };
    }
    // The second file planned for disk 2, the one that meets the full disk.
    std::string Victim() const { return root / "src/写真/2026/裏.jpg"; }
    Shown FailedShown() const {
        return {DialogKind::Error,
                Filled(msg::kSplitCopyFailed, {Victim(), msg::kReasonNoSpace}),
                {Button::Abort, Button::Retry, Button::Ignore}};
    }

    bool filled_ = false;
};

TEST_F(FillingDiskTest, RetryAfterMakingRoomCopiesTheFile) {
    SwapAtPrompts();
    FillDiskTwoAfterItsFirstFile();
    host.Answer(Button::Ok, PrepareText(3));
    host.Answer(Button::Ok, Prompt(1));
    host.Answer(Button::Ok, Prompt(2));
    host.Answer(Button::Retry, FailedShown().text);
    host.Answer(Button::Ok, Prompt(3));
    host.onDialog = [this](const DialogRecord& dialog) {
        SwapIfPrompt(dialog);
        if (dialog.kind == DialogKind::Error) {
            EXPECT_FALSE(HoldsPartialCopies(SetFolder()));
            stdfs::remove(SetFolder() + "/filler");
        }
    };
    BitBtn2Click(session, host);
    Keep(3);
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{PrepareShown(3), PromptShown(1), PromptShown(2), FailedShown(),
                                  PromptShown(3), PlainShown(msg::kCopyFinished)}));
    EXPECT_EQ(NamesIn(WrittenSetFolder(2)), PlannedNames(2));
    RestoreWritten(3);
    ExpectRestored();
}

TEST_F(FillingDiskTest, IgnoreGoesOnWithoutTheFileAndNamesItAtTheEnd) {
    SwapAtPrompts();
    FillDiskTwoAfterItsFirstFile();
    host.Answer(Button::Ok, PrepareText(3));
    host.Answer(Button::Ok, Prompt(1));
    host.Answer(Button::Ok, Prompt(2));
    host.Answer(Button::Ignore, FailedShown().text);
    // The full disk has no room for its checksum files either.
    const std::string noChecksums = Filled(msg::kChecksumsNotWritten, {SetFolder() + "/"});
    host.Answer(Button::Ignore, noChecksums);
    host.Answer(Button::Ok, Prompt(3));
    BitBtn2Click(session, host);
    Keep(3);
    const Shown checksumsShown{
        DialogKind::Error, noChecksums, {Button::Abort, Button::Retry, Button::Ignore}};
    EXPECT_EQ(
        ShownDialogs(host),
        (std::vector<Shown>{PrepareShown(3), PromptShown(1), PromptShown(2), FailedShown(),
                            checksumsShown, PromptShown(3),
                            WarningShown(Filled(msg::kNotCopiedHeader, {"2"}) + "\n" + Victim() +
                                         "\n" + SetFolder() + "/" + kChecksumListName + "（" +
                                         msg::kReasonNoChecksums + "）")}));
    EXPECT_FALSE(HoldsPartialCopies(WrittenSetFolder(2)));
    EXPECT_FALSE(stdfs::exists(WrittenSetFolder(2) + "/裏.jpg"));
    // The restore finds everything but the file that never reached a disk.
    stdfs::remove(WrittenSetFolder(2) + "/filler");
    RestoreWritten(3);
    ExpectRestored({"写真/2026/裏.jpg"});
}

TEST_F(FillingDiskTest, AbortEndsTheDivideThereWithoutAClosingMessage) {
    SwapAtPrompts();
    FillDiskTwoAfterItsFirstFile();
    host.Answer(Button::Ok, PrepareText(3));
    host.Answer(Button::Ok, Prompt(1));
    host.Answer(Button::Ok, Prompt(2));
    host.Answer(Button::Abort, FailedShown().text);
    BitBtn2Click(session, host);
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{PrepareShown(3), PromptShown(1), PromptShown(2), FailedShown()}));
    EXPECT_FALSE(HoldsPartialCopies(SetFolder()));
    EXPECT_EQ(NamesIn(SetFolder()),
              (std::vector<std::string>{"_Disk.@ID", "_index.@txt", "filler", "表.jpg"}));
    EXPECT_TRUE(host.mainWindowEnabled);
}

// Disks planned to 100 % of their room with thousands of small files: every disk takes its
// files, the index, the identity, the map and its checksum list, and not a byte overflows
// (a copy that ran out of room would ask Abort, Retry or Ignore, which no answer here allows).
TEST_F(DivideTmpfsTest, DisksFilledToTheLastClusterWithManySmallFilesNeverOverflow) {
    stdfs::remove_all(root / "src");
    std::mt19937 random(20261209);
    for (int i = 0; i < 3000; ++i) {
        const std::string folder = "folder " + std::to_string(i % 37) + "/";
        root.WriteFile("src/" + folder + "a rather long file name number " + std::to_string(i),
                       std::string(1 + random() % 6000, 'x'));
    }
    session.FreeSpacePercent = 100;
    SwapAtPrompts();
    for (int answers = 0; answers < 40; ++answers) {
        host.Answer(Button::Ok);
    }
    BitBtn2Click(session, host);
    ASSERT_GE(host.dialogs.size(), 3u);
    EXPECT_EQ(host.dialogs.back().text, msg::kCopyFinished);
    const int disks = static_cast<int>(session.values.DiskCount);
    EXPECT_GE(disks, 5);
    Keep(disks);
    int stored = 0;
    for (int disk = 1; disk <= disks; ++disk) {
        stored += static_cast<int>(NamesIn(WrittenSetFolder(disk)).size()) - 4;
    }
    EXPECT_EQ(stored, 3000);
}

// A tight plan fills the gaps of earlier disks with later, smaller files: disks written that
// way are filled to the last cluster beside the set files, and the set restores byte for byte.
TEST_F(DivideTmpfsTest, TightlyPackedDisksFilledToTheLastClusterRestoreByteForByte) {
    stdfs::remove_all(root / "src");
    std::mt19937_64 random(19);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<std::pair<std::string, std::string>> files;
    for (int i = 0; i < 1000; ++i) {
        // Heavy tails: most files a few KiB, a few of several hundred.
        const double size = 1500.0 / std::pow(1.0 - unit(random), 1.0 / 1.1);
        std::string contents(std::min<std::size_t>(static_cast<std::size_t>(size), 600000), 0);
        for (char& c : contents) {
            c = static_cast<char>(random());
        }
        files.emplace_back("part " + std::to_string(i % 7) + "/file " + std::to_string(i),
                           std::move(contents));
        root.WriteFile("src/" + files.back().first, files.back().second);
    }
    session.FreeSpacePercent = 100;
    session.DiskPacking = Packing::Tight;
    SwapAtPrompts();
    for (int answers = 0; answers < 40; ++answers) {
        host.Answer(Button::Ok);
    }
    BitBtn2Click(session, host);
    ASSERT_GE(host.dialogs.size(), 3u);
    ASSERT_EQ(host.dialogs.back().text, msg::kCopyFinished);
    const int disks = static_cast<int>(session.values.DiskCount);
    EXPECT_GE(disks, 3);
    EXPECT_LE(disks, session.values.DiskLowerBound + 1);
    // Tight packing goes back to earlier disks: some disk takes a file after a later disk has
    // taken a larger one.
    bool backfilled = false;
    for (std::int64_t row = 1; row < session.values.FileCount; ++row) {
        backfilled |= DiskOfRow(session.values, row) < DiskOfRow(session.values, row - 1);
    }
    EXPECT_TRUE(backfilled);
    Keep(disks);
    for (int disk = 1; disk <= disks; ++disk) {
        EXPECT_EQ(NamesIn(WrittenSetFolder(disk)), PlannedNames(disk)) << "disk " << disk;
    }

    host.fields.restoreTo = root / "out";
    ScriptedHost restorer = RestoreWritten(disks);
    EXPECT_EQ(restorer.DialogTexts().back(), msg::kRestoreFinished);
    for (const auto& [path, contents] : files) {
        EXPECT_TRUE(root.ReadFile("out/" + path) == contents) << path;
    }
}

TEST_F(DivideTmpfsTest, CancelDuringTheSecondOfThreeDisksInAFolderOnTheDisks) {
    // Not the root: the folder is created on the first disk on Yes and by the run on the others.
    host.fields.destination = Drive() + "/sets/2026";
    host.Answer(Button::Yes, msg::kCreateDestination);
    host.Answer(Button::Ok, PrepareText(3));
    host.Answer(Button::Ok, Prompt(1));
    host.Answer(Button::Ok, Prompt(2));
    SwapAtPrompts();
    host.onProcessMessages = [this] {
        if (host.progress.size() == 3) {
            host.PressCancel();
        }
    };
    BitBtn2Click(session, host);
    EXPECT_EQ(host.DialogTexts(),
              (std::vector<std::string>{msg::kCreateDestination, PrepareText(3), Prompt(1),
                                        Prompt(2), msg::kCancelled}));
    EXPECT_EQ(NamesIn(WrittenSetFolder(1)), PlannedNames(1));
    EXPECT_EQ(NamesIn(SetFolder()),
              (std::vector<std::string>{"_Disk.@ID", "_Disk.@sha256", "_index.@map", "_index.@txt",
                                        "表.jpg"}));
    EXPECT_EQ(session.values.RunStatus, kCancelled);
}

TEST_F(DivideTmpfsTest, APromptAnsweredWithTheDiskOutFindsNoDiskAndWritesNothing) {
    host.Answer(Button::Ok, PrepareText(3));
    host.Answer(Button::Ok, Prompt(1));
    host.Answer(Button::Retry, msg::kNoDisk);
    host.Answer(Button::Retry, msg::kNoDisk);
    host.Answer(Button::Abort, Prompt(2));
    int noDisk = 0;
    host.onDialog = [&](const DialogRecord& dialog) {
        if (dialog.text == Prompt(1)) {
            drive->Eject();
        } else if (dialog.text == msg::kNoDisk) {
            // The empty mount folder on the system disk is never written to.
            EXPECT_TRUE(stdfs::is_empty(Drive()));
            if (++noDisk == 2) {
                ASSERT_TRUE(drive->Insert()) << drive->error();
            }
        }
    };
    BitBtn2Click(session, host);
    EXPECT_EQ(ShownDialogs(host),
              (std::vector<Shown>{PrepareShown(3), PromptShown(1), CheckShown(msg::kNoDisk),
                                  CheckShown(msg::kNoDisk), PromptShown(2)}));
    EXPECT_EQ(NamesIn(SetFolder()), PlannedNames(1));
    drive->Eject();
    EXPECT_TRUE(stdfs::is_empty(Drive()));
}

} // namespace
} // namespace arbolink
