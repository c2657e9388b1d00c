// SPDX-License-Identifier: GPL-3.0-or-later
#include "Questions.h"

#include "core/Formatted.h"
#include "core/divide/DivideMessages.h"
#include "core/rFile/RestoreMessages.h"
#include "core/wFile/WriteMessages.h"
#if ARBOLINK_RECOVERY
#include "core/recovery/RecoveryMessages.h"
#endif
#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

namespace arbolink::cli {
namespace {

TEST(Questions, TheRestoreSideIsToldByItsTexts) {
    EXPECT_EQ(KindOfQuestion(arbolink::msg::kNoDiskInDrive), QuestionKind::MediumWanted);
    EXPECT_EQ(KindOfQuestion(Formatted(arbolink::msg::kSwapDiskLeft, 2)), QuestionKind::SwapWanted);
    EXPECT_EQ(KindOfQuestion(arbolink::msg::kOtherSet), QuestionKind::SwapWanted);
    // A disk passed over is a request for another one, whatever the folder and reason.
    EXPECT_EQ(KindOfQuestion(std::string(arbolink::msg::kNotASetDisk) + "/media/a/\n\nwhy"),
              QuestionKind::SwapWanted);
    EXPECT_EQ(KindOfQuestion(arbolink::msg::kCreateRestoreFolder), QuestionKind::Confirm);
    EXPECT_EQ(KindOfQuestion(arbolink::msg::kCreateDiskFolder), QuestionKind::Confirm);
    for (const Phrase& destructive :
         {arbolink::msg::kEmptyRemovableRestoreFolder, arbolink::msg::kOverwriteAll,
          arbolink::msg::kKeepHardDiskRestoreFolder}) {
        EXPECT_EQ(KindOfQuestion(destructive), QuestionKind::Destructive) << destructive;
    }
    EXPECT_EQ(KindOfQuestion(arbolink::msg::kNoSetFiles), QuestionKind::Ask);
    EXPECT_EQ(KindOfQuestion(arbolink::msg::kNoRestoreDrive), QuestionKind::Ask);
    EXPECT_TRUE(IsClosingSuccess(arbolink::msg::kRestoreFinished));
    EXPECT_FALSE(IsClosingSuccess(std::string(arbolink::msg::kRestoreFinished) + "\n\nx"));
    // --yes tells the questions apart by their texts, in the language they are shown in.
    for (Language language : {Language::Japanese, Language::English}) {
        test::ScopedLanguage speaking(language);
        EXPECT_EQ(KindOfQuestion(Formatted(arbolink::msg::kSwapDiskLeft, 2)),
                  QuestionKind::SwapWanted);
        EXPECT_EQ(KindOfQuestion(arbolink::msg::kOverwriteAll), QuestionKind::Destructive);
        EXPECT_EQ(KindOfQuestion(Formatted(arbolink::msg::kPrepareDisks, 3)),
                  QuestionKind::Confirm);
        EXPECT_EQ(KindOfQuestion(Formatted(arbolink::msg::kInsertDisk, 1)),
                  QuestionKind::MediumWanted);
        EXPECT_EQ(KindOfQuestion(Formatted(arbolink::msg::kInsertDisk, 2)),
                  QuestionKind::SwapWanted);
    }
#if ARBOLINK_RECOVERY
    // Every file back, some of them made again, is a success in either language; a note
    // whose count is no number is not the program's.
    for (Language language : {Language::Japanese, Language::English}) {
        test::ScopedLanguage speaking(language);
        const std::string finished = arbolink::msg::kRestoreFinished;
        EXPECT_TRUE(IsClosingSuccess(finished + Formatted(arbolink::msg::kRebuiltNote, 12)));
        EXPECT_FALSE(IsClosingSuccess(finished + Formatted(arbolink::msg::kRebuiltNote, "x")));
        EXPECT_FALSE(IsClosingSuccess(finished + Formatted(arbolink::msg::kRebuiltNote, 3) +
                                      Formatted(arbolink::msg::kNotRebuiltFiles, 1) + "\na"));
    }
#endif
}

} // namespace
} // namespace arbolink::cli
