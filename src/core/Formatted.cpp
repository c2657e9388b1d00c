// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Formatted.h"

namespace arbolink {

std::string FilledIn(std::string_view pattern, const std::string* texts, std::size_t count) {
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next == '%') {
            text += '%';
            ++i;
        } else if (pattern[i] == '%' && next >= '1' && next <= '9' &&
                   static_cast<std::size_t>(next - '1') < count) {
            text += texts[next - '1'];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

namespace {

bool IsPlaceholder(std::string_view pattern, std::size_t at) {
    return pattern[at] == '%' && at + 1 < pattern.size() && pattern[at + 1] >= '1' &&
           pattern[at + 1] <= '9';
}

// Matches text against pattern from their starts, backtracking over the placeholders.
bool Matches(std::string_view pattern, std::string_view text) {
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (IsPlaceholder(pattern, i)) {
            const std::string_view rest = pattern.substr(i + 2);
            for (std::size_t taken = 1; taken <= text.size(); ++taken) {
                if (Matches(rest, text.substr(taken))) {
                    return true;
                }
            }
            return false;
        }
        const bool percent = pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == '%';
        if (text.empty() || text.front() != pattern[i]) {
            return false;
        }
        text.remove_prefix(1);
        i += percent ? 1 : 0;
    }
    return text.empty();
}

} // namespace

bool IsFilledIn(const Phrase& pattern, std::string_view text) {
    return Matches(pattern.c_str(), text);
}

} // namespace arbolink
