// SPDX-License-Identifier: GPL-3.0-or-later
#include "Questions.h"

namespace arbolink::cli {

QuestionKind KindOfQuestion(const std::string& text) {
    return KindOfDivideQuestion(text).value_or(
        KindOfRestoreQuestion(text).value_or(QuestionKind::Ask));
}

bool IsClosingSuccess(const std::string& text) {
    return IsDivideSuccess(text) || IsRestoreSuccess(text);
}

bool IsClosingAfterAbort(const std::string& text) {
    return IsRestoreAborted(text);
}

} // namespace arbolink::cli
