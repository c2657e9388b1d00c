// SPDX-License-Identifier: GPL-3.0-or-later
// The restore command end to end on small tmpfs disks swapped in one mount point, as a user
// swaps disks in a drive. Needs the right to mount (root).
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/rFile/RestoreCommand.h"
#include "core/rFile/RestoreMessages.h"
#include "support/DiskSetFixture.h"
#include "support/PhraseLead.h"
#include "support/TmpfsDisk_posix.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::DiskSetFixture;
using test::ScriptedHost;
using test::SetFile;
using test::TmpfsDisk;

const std::string kSwap2 = "ディスクを入れ換えてください\n\nあと 2 枚です";
const std::string kSwap1 = "ディスクを入れ換えてください\n\nあと 1 枚です";

std::vector<SetFile> ThreeDisks() {
    return {
        {"", "top.txt", "top.txt", 1, std::string(300'000, 't')},
        {"写真\\2026\\", "表.jpg", "表.jpg", 2, std::string(500'000, 'p')},
        {"写真\\2026\\", "empty", "empty", 2, ""},
        {"docs\\", "a.txt", "a.txt", 3, "a"},
        {"docs\\", "A.txt", "A.txt-0", 3, "big A"},
    };
}

class RestoreTmpfsTest : public ::testing::Test {
protected:
    void SetUp() override {
        set.UseFields(host);
        set.root.MakeFolder("drive");
        set.root.MakeFolder("out");
        drive.emplace(set.root / "drive", 1440);
        out.emplace(set.root / "out", 4096);
        if (!drive->Insert() || !out->Insert()) {
            GTEST_SKIP() << "tmpfs disks need the right to mount: " << drive->error()
                         << out->error();
        }
        set.WriteSet("2026/12/09 10:00:00", ThreeDisks(), 3, "staged");
        set.WriteSet("2026/12/09 11:11:11", ThreeDisks(), 3, "other");
    }

    // Swaps a fresh disk into the drive and puts the staged disk's files on it. The drive is
    // a volume's root, so the set lives in "@dummy@" there.
    void Insert(const std::string& staged) {
        ASSERT_TRUE(drive->Swap()) << drive->error();
        stdfs::copy(set.root / staged, set.root / "drive/@dummy@", stdfs::copy_options::recursive);
    }

    void InsertAtQuestions(std::vector<std::string> disks) {
        host.onDialog = [this, disks = std::move(disks),
                         next = std::size_t{0}](const test::DialogRecord& dialog) mutable {
            if (dialog.buttons.size() > 1 && next < disks.size()) {
                Insert(disks[next++]);
            }
        };
    }

    Session session;
    ScriptedHost host;
    DiskSetFixture set;
    std::optional<TmpfsDisk> drive;
    std::optional<TmpfsDisk> out;
};

TEST_F(RestoreTmpfsTest, DisksInTheOrder213WithOneOfAnotherSetAndOnePutBack) {
    Insert("staged2");
    InsertAtQuestions({"other1", "staged2", "staged1", "staged3"});
    host.Answer(Button::Yes, kSwap2);
    host.Answer(Button::Yes, msg::kOtherSet);
    host.Answer(Button::Yes, kSwap2);
    host.Answer(Button::Yes, kSwap1);
    BitBtn3Click(session, host);
    EXPECT_EQ(host.DialogTexts(), (std::vector<std::string>{kSwap2, msg::kOtherSet, kSwap2, kSwap1,
                                                            msg::kRestoreFinished}));
    for (const SetFile& file : ThreeDisks()) {
        std::string relative = file.folder + file.name;
        std::replace(relative.begin(), relative.end(), '\\', '/');
        EXPECT_TRUE(set.Out(relative) == file.contents) << relative;
    }
    EXPECT_TRUE(host.mainWindowEnabled);
}

TEST_F(RestoreTmpfsTest, CancelDuringTheSecondOfThreeDisks) {
    Insert("staged1");
    InsertAtQuestions({"staged2"});
    host.Answer(Button::Yes, kSwap2);
    host.onProcessMessages = [&] {
        if (host.progress.size() == 2) {
            host.PressCancel();
        }
    };
    BitBtn3Click(session, host);
    ASSERT_EQ(host.DialogTexts().size(), 2u);
    EXPECT_EQ(host.DialogTexts()[0], kSwap2);
    // The closing message names what is not back.
    EXPECT_TRUE(
        host.DialogTexts()[1].starts_with(msg::kCancelled + test::Lead(msg::kNotRestoredFiles)))
        << host.DialogTexts()[1];
    EXPECT_NE(host.DialogTexts()[1].find("docs/a.txt"), std::string::npos);
    EXPECT_TRUE(set.Out("top.txt") == ThreeDisks()[0].contents);
    EXPECT_FALSE(set.OutExists("docs/a.txt"));
    EXPECT_TRUE(host.mainWindowEnabled);
}

// A blank medium and one whose identity no set can have are named and passed over; the next
// disk asked for is taken and the run ends complete.
TEST_F(RestoreTmpfsTest, ABlankMediumAndADiskWithABadIdentityArePassedOver) {
    set.WriteSetFiles("badid", IndexLine("", "top.txt", "top.txt"), IdentityLine("x", 9, 3));
    Insert("staged1");
    host.onDialog = [&, next = 0](const test::DialogRecord& dialog) mutable {
        if (dialog.buttons.size() > 1) {
            switch (next++) {
            case 0:
                ASSERT_TRUE(drive->Swap()) << drive->error(); // nothing on it at all
                break;
            case 1:
                Insert("badid");
                break;
            case 2:
                Insert("staged2");
                break;
            default:
                Insert("staged3");
            }
        }
    };
    const std::string folder = DiskFolder(set.root / "drive");
    const std::vector<std::string> expected{
        kSwap2, msg::kNotASetDisk + folder + "\n\n" + msg::kNoSetFiles,
        msg::kNotASetDisk + folder + "\n\n" + SetFormatError(kIdentityFileName, 1).what(), kSwap1,
        msg::kRestoreFinished};
    for (std::size_t i = 0; i + 1 < expected.size(); ++i) {
        host.Answer(Button::Yes, expected[i]);
    }
    BitBtn3Click(session, host);
    EXPECT_EQ(host.DialogTexts(), expected);
    for (const SetFile& file : ThreeDisks()) {
        std::string relative = file.folder + file.name;
        std::replace(relative.begin(), relative.end(), '\\', '/');
        EXPECT_TRUE(set.Out(relative) == file.contents) << relative;
    }
}

// The swap question answered while the drive is empty: the empty mount folder on the system
// disk holds no disk, so the run asks for a disk until one is in.
TEST_F(RestoreTmpfsTest, ADiskPulledAtTheSwapQuestionIsAskedFor) {
    Insert("staged1");
    int noDisk = 0;
    bool driveFolderEmpty = false;
    host.onDialog = [&](const test::DialogRecord& dialog) {
        if (dialog.text == kSwap2) {
            drive->Eject();
        } else if (dialog.text == msg::kNoDiskInDrive && ++noDisk == 2) {
            driveFolderEmpty = stdfs::is_empty(set.root / "drive");
            Insert("staged2");
        } else if (dialog.text == kSwap1) {
            Insert("staged3");
        }
    };
    host.Answer(Button::Yes, kSwap2);
    host.Answer(Button::Retry, msg::kNoDiskInDrive);
    host.Answer(Button::Retry, msg::kNoDiskInDrive);
    host.Answer(Button::Yes, kSwap1);
    BitBtn3Click(session, host);
    EXPECT_EQ(host.DialogTexts(),
              (std::vector<std::string>{kSwap2, msg::kNoDiskInDrive, msg::kNoDiskInDrive, kSwap1,
                                        msg::kRestoreFinished}));
    EXPECT_TRUE(set.Out("docs/A.txt") == "big A");
    EXPECT_TRUE(driveFolderEmpty) << "nothing may be written into the empty drive folder";
}

} // namespace
} // namespace arbolink
