// SPDX-License-Identifier: GPL-3.0-or-later
// Burning a staged disk through a burner whose faults the test injects: every failure of the
// drive is told with its drive and Retry or Abort, a disc that reads back wrong is burnt
// again, and Cancel tells that the disc is spoiled. None of them ever passes for a disc
// written.
#include "core/wFile/DiscBurning.h"

#include "core/Formatted.h"
#include "core/wFile/BurnMessages.h"
#include "support/InjectingBurner.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

using test::InjectingBurner;
using test::ScriptedHost;
using test::TempFolder;

constexpr const char* kImage = "stdio:/x/set.iso";
constexpr const char* kImageTwo = "stdio:/x/set-02.iso";

class DiscBurningTest : public ::testing::Test {
protected:
    DiscBurningTest() {
        root.WriteFile("disk02/@dummy@/a.txt", "A");
        root.WriteFile("disk02/@dummy@/_Disk.@ID", "identity");
        // The list names a.txt; the identity file is checked against the staged file itself.
        root.WriteFile("disk02/@dummy@/_Disk.@sha256", HexDigest(Sha256Of("A")) + "  a.txt\n");
        good = {{"@dummy@/a.txt", Sha256Of("A")},
                {"@dummy@/_Disk.@ID", Sha256Of("identity")},
                {"@dummy@/_Disk.@sha256", Sha256Of(root.ReadFile("disk02/@dummy@/_Disk.@sha256"))}};
    }

    SupplierEnd BurnDiscTwo(const char* drive = kImage) {
        DiscBurning burning(host, burner, drive, 200);
        return burning.BurnDisc(2, root / "disk02");
    }

    TempFolder root;
    ScriptedHost host;
    InjectingBurner burner;
    DiscDigests good;
};

TEST_F(DiscBurningTest, EveryFailureOfTheDriveNamesItAndAsksRetryOrAbort) {
    burner.ends = {BurnEnd::CannotBurn, BurnEnd::NoBlankDisc, BurnEnd::DiscTooSmall,
                   BurnEnd::WriteFailed};
    burner.discs = {good};
    for (int i = 0; i < 4; ++i) {
        host.Answer(Button::Retry);
    }
    ASSERT_EQ(BurnDiscTwo(), SupplierEnd::GoOn);
    EXPECT_EQ(burner.drivesBurnt, std::vector<std::string>(5, kImageTwo));
    EXPECT_EQ(burner.limitsGiven, std::vector<std::int64_t>(5, 200));
    const std::vector<std::string> expected{
        Formatted(msg::kCannotBurn, kImageTwo, "\n（injected）"),
        Formatted(msg::kNoBlankDisc, kImageTwo, "\n（injected）"),
        // The image's blocks against the smaller of the disc's and the limit.
        Formatted(msg::kDiscTooSmall, kImageTwo, 120LL, 100LL),
        Formatted(msg::kDiscWriteFailed, kImageTwo, "\n（injected）"),
    };
    ASSERT_EQ(host.dialogs.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(host.dialogs[i].text, expected[i]);
        EXPECT_EQ(host.dialogs[i].kind, DialogKind::Error);
        EXPECT_EQ(host.dialogs[i].buttons, (Buttons{Button::Abort, Button::Retry}));
    }
    // The burn's own progress was shown: the buffer and the speed.
    ASSERT_FALSE(host.progress.empty());
    EXPECT_EQ(host.progress[0]->stages.front(), "4 / 8 MB　バッファ 50％　2.5 MB/s");
    EXPECT_TRUE(host.mainWindowEnabled);

    // Abort after a failed write ends the disc as not written.
    burner.ends = {BurnEnd::WriteFailed};
    host.Answer(Button::Abort);
    EXPECT_EQ(BurnDiscTwo(), SupplierEnd::Aborted);
    EXPECT_EQ(host.UnusedAnswers(), 0u);

    // A tree the image builder would write wrongly is the same tree on every retry: it is
    // told once, with the staged folder, and ends the divide without a disc or a read-back.
    burner.ends = {BurnEnd::TreeMisplaced};
    const std::size_t burnsBefore = burner.drivesBurnt.size();
    const std::size_t dialogsBefore = host.dialogs.size();
    const int readBacksBefore = burner.readBacks;
    EXPECT_EQ(BurnDiscTwo(), SupplierEnd::Aborted);
    EXPECT_EQ(burner.drivesBurnt.size(), burnsBefore + 1);
    EXPECT_EQ(burner.readBacks, readBacksBefore);
    ASSERT_EQ(host.dialogs.size(), dialogsBefore + 1);
    EXPECT_EQ(host.dialogs.back().text, Formatted(msg::kDiscTreeMisplaced, kImageTwo,
                                                  (root / "disk02").c_str(), "\n（injected）"));
    EXPECT_EQ(host.dialogs.back().kind, DialogKind::Error);
    EXPECT_EQ(host.dialogs.back().buttons, Buttons{Button::Ok});
    EXPECT_EQ(host.UnusedAnswers(), 0u);
}

TEST_F(DiscBurningTest, RewritableDiscWithDataIsBlankedOnlyAfterYes) {
    const std::string question = Formatted(msg::kDiscHoldsData, kImageTwo);
    // Yes: the disc is blanked behind its own progress dialog and then burnt and checked.
    burner.ends = {BurnEnd::HoldsData};
    burner.discs = {good};
    host.Answer(Button::Yes, question);
    ASSERT_EQ(BurnDiscTwo(), SupplierEnd::GoOn);
    EXPECT_EQ(burner.blanked, std::vector<std::string>{kImageTwo});
    EXPECT_EQ(burner.drivesBurnt.size(), 2u);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].kind, DialogKind::Confirmation);
    EXPECT_EQ(host.dialogs[0].buttons, (Buttons{Button::Yes, Button::No}));
    // The burn that found the data, the blanking, the burn.
    ASSERT_EQ(host.progress.size(), 3u);
    EXPECT_EQ(host.progress[1]->caption, msg::kBlankingCaption);
    EXPECT_EQ(host.progress[2]->caption, msg::kReadingDiscCaption);
    EXPECT_EQ(host.progress[1]->gauge, (std::vector<int>{0, 60}));
    EXPECT_TRUE(host.mainWindowEnabled);

    // No: nothing is blanked; another disc is asked for, and Abort ends the divide.
    burner.ends = {BurnEnd::HoldsData};
    host.Answer(Button::No, question);
    host.Answer(Button::Abort, Formatted(msg::kNoBlankDisc, kImageTwo, ""));
    EXPECT_EQ(BurnDiscTwo(), SupplierEnd::Aborted);
    EXPECT_EQ(burner.blanked.size(), 1u);

    // A blanking that fails is told with Retry and Abort; nothing passes for a disc.
    burner.ends = {BurnEnd::HoldsData};
    burner.blankings = {BurnEnd::WriteFailed};
    host.Answer(Button::Yes, question);
    host.Answer(Button::Abort, Formatted(msg::kBlankFailed, kImageTwo, "\n（injected）"));
    EXPECT_EQ(BurnDiscTwo(), SupplierEnd::Aborted);
    EXPECT_EQ(burner.blanked.size(), 2u);

    // Measuring disc 1 asks the same, and measures the disc once it is blank.
    burner.heldData = 1;
    host.Answer(Button::Yes, Formatted(msg::kDiscHoldsData, "/dev/sr9"));
    DiscBurning burning(host, burner, "/dev/sr9", 0);
    EXPECT_EQ(burning.MeasureBlankDisc(), 100);
    EXPECT_EQ(burner.blanked.back(), "/dev/sr9");
    EXPECT_EQ(host.UnusedAnswers(), 0u);
}

TEST_F(DiscBurningTest, DiscThatReadsBackWrongIsNeverTakenAsWritten) {
    DiscDigests wrong = good;
    wrong["@dummy@/a.txt"] = Sha256Of("B"); // reads otherwise than listed
    wrong.erase("@dummy@/_Disk.@ID");       // missing on the disc
    wrong["@dummy@/stray"] = Sha256Of("");  // not staged
    burner.discs = {wrong, good};
    host.Answer(Button::Retry);
    ASSERT_EQ(BurnDiscTwo(), SupplierEnd::GoOn);
    EXPECT_EQ(burner.drivesBurnt.size(), 2u);
    // The wrong disc (here an image file) is thrown away before the new one is burnt.
    EXPECT_EQ(burner.discarded, std::vector<std::string>{kImageTwo});
    ASSERT_EQ(host.dialogs.size(), 1u);
    const std::string& text = host.dialogs[0].text;
    EXPECT_EQ(text.rfind(Formatted(msg::kDiscReadBackFailed, kImageTwo, ""), 0), 0u) << text;
    for (const char* path : {"\n@dummy@/a.txt", "\n@dummy@/_Disk.@ID", "\n@dummy@/stray"}) {
        EXPECT_NE(text.find(path), std::string::npos) << path;
    }
    EXPECT_EQ(text.find("_Disk.@sha256"), std::string::npos) << text;
    // Only the disc that checked out opens the drive's tray, and only when asked to.
    EXPECT_EQ(burner.ejected, std::vector<std::string>{kImageTwo});
    burner.discs = {good};
    DiscBurning kept(host, burner, kImage, 200, false);
    ASSERT_EQ(kept.BurnDisc(2, root / "disk02"), SupplierEnd::GoOn);
    EXPECT_EQ(burner.ejected.size(), 1u);

    // A staged file unlisted is compared with itself: changed after staging, it differs.
    root.WriteFile("disk02/@dummy@/_Disk.@ID", "changed");
    EXPECT_EQ(DiscDifferences(root / "disk02", good),
              std::vector<std::string>{"@dummy@/_Disk.@ID"});
}

TEST_F(DiscBurningTest, CancelTellsTheDiscIsSpoiled) {
    // A device wants its blank disc inserted first; an image file does not.
    host.Answer(Button::Ok, Formatted(msg::kInsertBlankDisc, 2, "/dev/sr9"));
    host.PressCancel();
    EXPECT_EQ(BurnDiscTwo("/dev/sr9"), SupplierEnd::Cancelled);
    ASSERT_EQ(host.dialogs.size(), 2u);
    EXPECT_EQ(host.dialogs[1].kind, DialogKind::Warning);
    EXPECT_EQ(host.dialogs[1].text, Formatted(msg::kBurnCancelled, "/dev/sr9"));
    EXPECT_EQ(burner.readBacks, 0);
    EXPECT_TRUE(burner.ejected.empty());
}

} // namespace
} // namespace arbolink
