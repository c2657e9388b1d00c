// SPDX-License-Identifier: GPL-3.0-or-later
#include "Questions.h"
#include "core/divide/DivideMessages.h"
#include "core/recovery/RecoveryMessages.h"
#include "core/wFile/BurnMessages.h"
#include "core/wFile/WriteMessages.h"

#include <string_view>

namespace arbolink::cli {

std::optional<QuestionKind> KindOfDivideQuestion(const std::string& text) {
    const std::string_view view = text;
    if (view.starts_with(arbolink::msg::kPrepareDisksBefore) &&
        view.ends_with(arbolink::msg::kPrepareDisksAfter)) {
        return QuestionKind::Confirm;
    }
    if (view.ends_with(arbolink::msg::kInsertDisk)) {
        // The first disk only has to be in the drive; every later one replaces the one
        // just written.
        return view.starts_with(std::string("1") + arbolink::msg::kInsertDisk)
                   ? QuestionKind::MediumWanted
                   : QuestionKind::SwapWanted;
    }
    if (view.starts_with(arbolink::msg::kInsertRecoveryDiskBefore) &&
        view.ends_with(arbolink::msg::kInsertRecoveryDiskAfter)) {
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
