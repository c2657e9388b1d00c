// SPDX-License-Identifier: GPL-3.0-or-later
#include "Questions.h"
#include "core/Formatted.h"
#include "core/divide/DivideMessages.h"
#include "core/recovery/RecoveryMessages.h"
#include "core/wFile/BurnMessages.h"
#include "core/wFile/WriteMessages.h"

#include <string_view>

namespace arbolink::cli {

std::optional<QuestionKind> KindOfDivideQuestion(const std::string& text) {
    const std::string_view view = text;
    if (IsFilledIn(arbolink::msg::kPrepareDisks, view) ||
        IsFilledIn(arbolink::msg::kPrepareDisksWithRecovery, view)) {
        return QuestionKind::Confirm;
    }
    if (IsFilledIn(arbolink::msg::kInsertDisk, view)) {
        // The first disk only has to be in the drive; every later one replaces the one
        // just written.
        return text == Formatted(arbolink::msg::kInsertDisk, 1) ? QuestionKind::MediumWanted
                                                                : QuestionKind::SwapWanted;
    }
    if (IsFilledIn(arbolink::msg::kInsertRecoveryDisk, view)) {
        return QuestionKind::SwapWanted;
    }
    if (text == arbolink::msg::kNoDisk) {
        return QuestionKind::MediumWanted;
    }
    if (text == arbolink::msg::kSwapDisk) {
        return QuestionKind::SwapWanted;
    }
    if (text == arbolink::msg::kCreateDestination) {
        return QuestionKind::Confirm;
    }
    if (text == arbolink::msg::kEmptyRemovable || text == arbolink::msg::kHardDiskHasEntries) {
        return QuestionKind::Destructive;
    }
    return std::nullopt;
}

bool IsDivideSuccess(const std::string& text) {
    return text == arbolink::msg::kCopyFinished || text == arbolink::msg::kBurnFinished;
}

} // namespace arbolink::cli
