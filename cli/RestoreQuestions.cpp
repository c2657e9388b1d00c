// SPDX-License-Identifier: GPL-3.0-or-later
#include "Questions.h"
#include "core/Formatted.h"
#include "core/rFile/RestoreMessages.h"
#if ARBOLINK_RECOVERY
#include "core/recovery/RecoveryMessages.h"
#endif

#include <algorithm>
#include <string_view>

namespace arbolink::cli {

std::optional<QuestionKind> KindOfRestoreQuestion(const std::string& text) {
    if (text == arbolink::msg::kNoDiskInDrive) {
        return QuestionKind::MediumWanted;
    }
    if (IsFilledIn(arbolink::msg::kSwapDiskLeft, text) ||
        text.starts_with(arbolink::msg::kNotASetDisk.c_str()) || text == arbolink::msg::kOtherSet) {
        return QuestionKind::SwapWanted;
    }
#if ARBOLINK_RECOVERY
    if (IsFilledIn(arbolink::msg::kInsertDiskForRebuild, text)) {
        return QuestionKind::SwapWanted;
    }
    if (text == arbolink::msg::kAskRebuild) {
        return QuestionKind::Confirm;
    }
#endif
    if (text == arbolink::msg::kCreateRestoreFolder) {
        return QuestionKind::Confirm;
    }
    if (text == arbolink::msg::kEmptyRemovableRestoreFolder ||
        text == arbolink::msg::kOverwriteAll || text == arbolink::msg::kKeepHardDiskRestoreFolder) {
        return QuestionKind::Destructive;
    }
    return std::nullopt;
}

bool IsRestoreSuccess(const std::string& text) {
#if ARBOLINK_RECOVERY
    // Every file back, some of them made again: the finished message and the count.
    const std::string_view finished = arbolink::msg::kRestoreFinished.c_str();
    const std::string_view rest =
        std::string_view(text).substr(std::min(text.size(), finished.size()));
    const std::size_t digits = rest.find_first_of("0123456789");
    const std::string count(rest.substr(std::min(digits, rest.size()),
                                        rest.find_first_not_of("0123456789", digits) - digits));
    if (text.starts_with(finished) && !count.empty() &&
        rest == Formatted(arbolink::msg::kRebuiltNote, count)) {
        return true;
    }
    if (text == arbolink::msg::kAllLostRebuilt) {
        return true;
    }
#endif
    return text == arbolink::msg::kRestoreFinished;
}

bool IsRestoreAborted(const std::string& text) {
    return text.starts_with(arbolink::msg::kRestoreAborted.c_str());
}

} // namespace arbolink::cli
