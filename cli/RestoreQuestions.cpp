// SPDX-License-Identifier: GPL-3.0-or-later
#include "Questions.h"
#include "core/rFile/RestoreMessages.h"

#include <string_view>

namespace arbolink::cli {

std::optional<QuestionKind> KindOfRestoreQuestion(const std::string& text) {
    if (text == arbolink::msg::kNoDiskInDrive) {
        return QuestionKind::MediumWanted;
    }
    if (std::string_view(text).starts_with(arbolink::msg::kSwapDiskBefore) ||
        std::string_view(text).starts_with(arbolink::msg::kNotASetDisk) ||
        text == arbolink::msg::kOtherSet) {
        return QuestionKind::SwapWanted;
    }
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
    return text == arbolink::msg::kRestoreFinished;
}

bool IsRestoreAborted(const std::string& text) {
    return text.starts_with(arbolink::msg::kRestoreAborted);
}

} // namespace arbolink::cli
