// SPDX-License-Identifier: GPL-3.0-or-later
// The manual shows every message of dividing, restoring and the Help menu in its exact words.
#include "ManualText.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/rFile/CheckMessages.h"
#include "core/rFile/RestoreMessages.h"
#include "core/recovery/RecoveryMessages.h"
#include "core/wFile/BurnMessages.h"
#include "core/wFile/WriteMessages.h"
#include "ui/HelpMessages.h"
#include "ui/MainMessages.h"
#include "ui/SettingsMessages.h"

#include <regex>
#include <vector>

namespace arbolink {
namespace {

using test::ExpectInManual;
using test::ManualFolder;
using test::ManualHtml;

#define EXPECT_MESSAGE(html, name) test::ExpectInManuals(html, #name, msg::name)

TEST(Manual, ShowsTheMainWindowsPicture) {
    const std::string html = ManualHtml();
    ASSERT_FALSE(html.empty());
    EXPECT_NE(html.find("<img src=\"main-window.png\""), std::string::npos);
    const std::filesystem::path picture =
        std::filesystem::path(ARBOLINK_SOURCE_DIR) / "docs/manual/main-window.png";
    EXPECT_TRUE(std::filesystem::is_regular_file(picture)) << picture;
}

// Every value of an attribute in the page, in order ("id" gives the anchors).
std::vector<std::string> AttributeValues(const std::string& html, const std::string& attribute) {
    const std::regex value(" " + attribute + "=\"([^\"]*)\"");
    std::vector<std::string> values;
    for (std::sregex_iterator match(html.begin(), html.end(), value), end; match != end; ++match) {
        values.push_back((*match)[1]);
    }
    return values;
}

std::size_t Count(const std::string& html, const std::string& piece) {
    std::size_t count = 0;
    for (std::size_t at = html.find(piece); at != std::string::npos;
         at = html.find(piece, at + 1)) {
        ++count;
    }
    return count;
}

// The English manual is the Japanese one translated: the same sections and anchors, the same
// links between them, as many message blocks and table rows, and its style sheet and the
// Japanese manual reached from its own folder.
TEST(Manual, TheEnglishManualFollowsTheJapaneseOne) {
    const std::string japanese = ManualHtml(Language::Japanese);
    const std::string english = ManualHtml(Language::English);
    ASSERT_FALSE(english.empty());
    EXPECT_NE(english.find("<html lang=\"en\">"), std::string::npos);
    EXPECT_EQ(AttributeValues(english, "id"), AttributeValues(japanese, "id"));
    std::vector<std::string> japaneseLinks = AttributeValues(japanese, "href");
    std::vector<std::string> englishLinks = AttributeValues(english, "href");
    for (std::string& link : japaneseLinks) {
        if (!link.starts_with("#")) {
            link = link == "en/index.html" ? "../index.html" : "../" + link;
        }
    }
    EXPECT_EQ(englishLinks, japaneseLinks);
    for (const std::string& link : englishLinks) {
        if (!link.starts_with("#")) {
            EXPECT_TRUE(std::filesystem::is_regular_file(ManualFolder(Language::English) / link))
                << link;
        }
    }
    for (const char* piece : {"<pre class=\"msg\">", "<tr>", "<section", "<var>"}) {
        EXPECT_EQ(Count(english, piece), Count(japanese, piece)) << piece;
    }
}

TEST(Manual, ShowsEveryDivideMessage) {
    const std::string html = ManualHtml();
    for (const Phrase* stage : {&msg::kPlanningCaption, &msg::kStageWalk, &msg::kStageSort,
                                &msg::kStageSameNames, &msg::kStageAssign}) {
        test::ExpectInManuals(html, "planning stage", *stage);
    }
    EXPECT_MESSAGE(html, kTooManyCopyFiles);
    EXPECT_MESSAGE(html, kTooManyCopyFilesAlloc);
    EXPECT_MESSAGE(html, kTooManyFiles);
    EXPECT_MESSAGE(html, kCancelled);
    EXPECT_MESSAGE(html, kFileTooLarge);
    EXPECT_MESSAGE(html, kFileTooLargeNamed);
    EXPECT_MESSAGE(html, kIndexTooLarge);
    EXPECT_MESSAGE(html, kNotCarriedHeader);
    EXPECT_MESSAGE(html, kNotCarriedMore);
    EXPECT_MESSAGE(html, kReasonLinkToFolder);
    EXPECT_MESSAGE(html, kReasonDanglingLink);
    EXPECT_MESSAGE(html, kReasonLinkLoop);
    EXPECT_MESSAGE(html, kReasonPathTooLong);
    EXPECT_MESSAGE(html, kReasonSpecialFile);
    EXPECT_MESSAGE(html, kReasonUnreadableFolder);
    EXPECT_MESSAGE(html, kReasonLineBreakInName);
    EXPECT_MESSAGE(html, kReasonSeparatorInFolderName);
    EXPECT_MESSAGE(html, kReasonNotUtf8Name);
    EXPECT_MESSAGE(html, kReasonNotRestorableName);
    EXPECT_MESSAGE(html, kSetSource);
    EXPECT_MESSAGE(html, kNoSourceDisk);
    EXPECT_MESSAGE(html, kCreateSource);
    EXPECT_MESSAGE(html, kCdRefused);
    EXPECT_MESSAGE(html, kSetDestination);
    EXPECT_MESSAGE(html, kNoDestinationDisk);
    EXPECT_MESSAGE(html, kCreateDestination);
    EXPECT_MESSAGE(html, kDriveUnreadable);
    EXPECT_MESSAGE(html, kEmptyRemovable);
    EXPECT_MESSAGE(html, kHardDiskHasEntries);
    EXPECT_MESSAGE(html, kDeleted);
    EXPECT_MESSAGE(html, kDeleteFailed);
    EXPECT_MESSAGE(html, kPrepareDisks);
    EXPECT_MESSAGE(html, kCreateFolderFailed);
    EXPECT_MESSAGE(html, kFoldersOverlap);
    EXPECT_MESSAGE(html, kDestinationInSource);
    EXPECT_MESSAGE(html, kFileTooLargeForDisk);
    EXPECT_MESSAGE(html, kDivideStopped);
}

TEST(Manual, ShowsTheChecksumMessagesOfWriting) {
    const std::string html = ManualHtml();
    EXPECT_MESSAGE(html, kVerifyingCaption);
    EXPECT_MESSAGE(html, kReadBackMismatch);
    EXPECT_MESSAGE(html, kReasonReadBack);
    EXPECT_MESSAGE(html, kChecksumsNotWritten);
    EXPECT_MESSAGE(html, kReasonNoChecksums);
    ExpectInManual(html, "menu item", "書き込み後に検査する");
}

TEST(Manual, ShowsEveryRecoveryDiskMessage) {
    const std::string html = ManualHtml();
    EXPECT_MESSAGE(html, kPrepareDisksWithRecovery);
    EXPECT_MESSAGE(html, kInsertRecoveryDisk);
    EXPECT_MESSAGE(html, kTooManyDisksForRecovery);
    EXPECT_MESSAGE(html, kRecoveryCacheTooSmall);
    EXPECT_MESSAGE(html, kRecoveryCacheUnusable);
    EXPECT_MESSAGE(html, kRecoveryCaption);
    EXPECT_MESSAGE(html, kNoRecoveryDisks);
    EXPECT_MESSAGE(html, kReasonParityReadBack);
    EXPECT_MESSAGE(html, kRecoveryFileNotWritten);
    EXPECT_MESSAGE(html, kRecoveryNotBuilt);
    EXPECT_MESSAGE(html, kNoRecoveryDiskGiven);
    EXPECT_MESSAGE(html, kNoSuchDisk);
    EXPECT_MESSAGE(html, kTooFewDisks);
    EXPECT_MESSAGE(html, kRebuildReadFailed);
    EXPECT_MESSAGE(html, kRebuiltMismatch);
    EXPECT_MESSAGE(html, kRebuildWriteFailed);
    EXPECT_MESSAGE(html, kRebuildTargetNotEmpty);
    EXPECT_MESSAGE(html, kRebuildDone);
    EXPECT_MESSAGE(html, kRecoveryDisksLabel);
    EXPECT_MESSAGE(html, kRecoveryMapMismatch);
    EXPECT_MESSAGE(html, kReasonNeverWritten);
    EXPECT_MESSAGE(html, kReasonRebuiltMismatch);
    EXPECT_MESSAGE(html, kReasonTooManyLost);
    EXPECT_MESSAGE(html, kReasonRebuildStopped);
    EXPECT_MESSAGE(html, kAskRebuild);
    EXPECT_MESSAGE(html, kRebuildCaption);
    EXPECT_MESSAGE(html, kInsertDiskForRebuild);
    EXPECT_MESSAGE(html, kDiskNotNeeded);
    EXPECT_MESSAGE(html, kDiskNotOfSet);
    EXPECT_MESSAGE(html, kRebuiltNote);
    EXPECT_MESSAGE(html, kAllLostRebuilt);
    EXPECT_MESSAGE(html, kRebuildEnded);
    EXPECT_MESSAGE(html, kNotRebuiltFiles);
    EXPECT_MESSAGE(html, kSetRebuildable);
    EXPECT_MESSAGE(html, kRebuildUses);
    EXPECT_MESSAGE(html, kSetNotRebuildable);
}

TEST(Manual, ShowsEveryBurnMessage) {
    const std::string html = ManualHtml();
    EXPECT_MESSAGE(html, kInsertBlankDisc);
    EXPECT_MESSAGE(html, kBurningCaption);
    EXPECT_MESSAGE(html, kBurningDisc);
    EXPECT_MESSAGE(html, kBurnState);
    EXPECT_MESSAGE(html, kReadingDiscCaption);
    EXPECT_MESSAGE(html, kBurnFinished);
    EXPECT_MESSAGE(html, kNoBlankDisc);
    EXPECT_MESSAGE(html, kDiscTooSmall);
    EXPECT_MESSAGE(html, kDiscWriteFailed);
    EXPECT_MESSAGE(html, kCannotBurn);
    EXPECT_MESSAGE(html, kDiscTreeMisplaced);
    EXPECT_MESSAGE(html, kDiscHoldsData);
    EXPECT_MESSAGE(html, kBlankingCaption);
    EXPECT_MESSAGE(html, kBlankFailed);
    EXPECT_MESSAGE(html, kDiscReadBackFailed);
    EXPECT_MESSAGE(html, kBurnCancelled);
    EXPECT_MESSAGE(html, kCheckCancelled);
    EXPECT_MESSAGE(html, kNoBurnStagingFolder);
    EXPECT_MESSAGE(html, kBurnNotBuilt);
    EXPECT_MESSAGE(html, kBurnDetail);
}

TEST(Manual, ShowsEveryRestoreAndSetFileMessage) {
    const std::string html = ManualHtml();
    EXPECT_MESSAGE(html, kSetDiskFolder);
    EXPECT_MESSAGE(html, kNoDiskFolderDrive);
    EXPECT_MESSAGE(html, kCreateDiskFolder);
    EXPECT_MESSAGE(html, kSetRestoreFolder);
    EXPECT_MESSAGE(html, kNoRestoreOntoCd);
    EXPECT_MESSAGE(html, kDisksInRestoreFolder);
    EXPECT_MESSAGE(html, kNoRestoreDrive);
    EXPECT_MESSAGE(html, kCreateRestoreFolder);
    EXPECT_MESSAGE(html, kEmptyRemovableRestoreFolder);
    EXPECT_MESSAGE(html, kOverwriteAll);
    EXPECT_MESSAGE(html, kKeepHardDiskRestoreFolder);
    EXPECT_MESSAGE(html, kEmptied);
    EXPECT_MESSAGE(html, kEmptyingFailed);
    EXPECT_MESSAGE(html, kNoDiskInDrive);
    EXPECT_MESSAGE(html, kNoSetFiles);
    EXPECT_MESSAGE(html, kOtherSet);
    EXPECT_MESSAGE(html, kSwapDiskLeft);
    EXPECT_MESSAGE(html, kRestoreFinished);
    EXPECT_MESSAGE(html, kSetWithoutFiles);
    EXPECT_MESSAGE(html, kUnsafeRow);
    EXPECT_MESSAGE(html, kCopyFailed);
    EXPECT_MESSAGE(html, kReasonStoredFileChanged);
    EXPECT_MESSAGE(html, kReasonContentMismatch);
    EXPECT_MESSAGE(html, kNoChecksums);
    EXPECT_MESSAGE(html, kChecksumsUnreadable);
    EXPECT_MESSAGE(html, kNotCopiedFiles);
    EXPECT_MESSAGE(html, kNotFoundFiles);
    EXPECT_MESSAGE(html, kMoreFiles);
    EXPECT_MESSAGE(html, kDiskUnusable);
    EXPECT_MESSAGE(html, kCheckDisk);
    EXPECT_MESSAGE(html, kBadSetFile);
    EXPECT_MESSAGE(html, kSetFileNotPlain);
    EXPECT_MESSAGE(html, kSetFileTooLarge);
    EXPECT_MESSAGE(html, kRestoreFolderIsFile);
    EXPECT_MESSAGE(html, kRestoreFolderNotCreated);
    EXPECT_MESSAGE(html, kRestoreFolderReadOnly);
    EXPECT_MESSAGE(html, kSameRow);
    EXPECT_MESSAGE(html, kRestoreOntoSwappedDrive);
    EXPECT_MESSAGE(html, kNotASetDisk);
    EXPECT_MESSAGE(html, kFolderWithoutSet);
    EXPECT_MESSAGE(html, kNoFolderWithSet);
    EXPECT_MESSAGE(html, kRestoreAborted);
    EXPECT_MESSAGE(html, kNotRestoredFiles);
    EXPECT_MESSAGE(html, kRenamedFiles);
    EXPECT_MESSAGE(html, kRenamedArrow);
    EXPECT_MESSAGE(html, kCaseClashes);
    EXPECT_MESSAGE(html, kCaseClashAnd);
    EXPECT_MESSAGE(html, kMoreCaseClashes);
}

TEST(Manual, ShowsEveryCheckMessage) {
    const std::string html = ManualHtml();
    EXPECT_MESSAGE(html, kCheckCaption);
    EXPECT_MESSAGE(html, kCheckLabel);
    EXPECT_MESSAGE(html, kCheckSwap);
    EXPECT_MESSAGE(html, kCheckOtherSet);
    EXPECT_MESSAGE(html, kCheckNotASetDisk);
    EXPECT_MESSAGE(html, kCheckFolderOfOtherSet);
    EXPECT_MESSAGE(html, kCheckFolderSeen);
    EXPECT_MESSAGE(html, kReasonContentMismatch);
    EXPECT_MESSAGE(html, kReasonSizeMismatch);
    EXPECT_MESSAGE(html, kReasonFolderUnreadable);
    EXPECT_MESSAGE(html, kCheckAllGood);
    EXPECT_MESSAGE(html, kCheckFinished);
    EXPECT_MESSAGE(html, kCheckAborted);
    EXPECT_MESSAGE(html, kDamagedFiles);
    EXPECT_MESSAGE(html, kMissingFiles);
    EXPECT_MESSAGE(html, kUncheckedFiles);
    EXPECT_MESSAGE(html, kUnplacedFiles);
    EXPECT_MESSAGE(html, kOnDisk);
    EXPECT_MESSAGE(html, kDisksNotGiven);
    EXPECT_MESSAGE(html, kFilesOnDisksNotGiven);
    EXPECT_MESSAGE(html, kNoChecksumsOnDisks);
    EXPECT_MESSAGE(html, kChecksumsUnreadableOnDisks);
}

TEST(Manual, ShowsTheSettingsAndHelpMessages) {
    const std::string html = ManualHtml();
    EXPECT_NE(html.find(CannotWriteSettingsMessage("<var>ファイル</var>")), std::string::npos);
    EXPECT_MESSAGE(html, kManualMissing);
    EXPECT_MESSAGE(html, kNothingOpened);
}

} // namespace
} // namespace arbolink
