// SPDX-License-Identifier: GPL-3.0-or-later
#include "Questions.h"

#include "core/Formatted.h"
#include "core/rFile/RestoreMessages.h"

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
}

} // namespace
} // namespace arbolink::cli
