// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lists of files a closing message names: a count, then the first names, one a line.

#include "core/Phrase.h"
#include "core/rFile/RestoreMessages.h"

#include <cstddef>
#include <string>
#include <vector>

namespace arbolink {

// A closing message names at most this many files of each kind; a count says the rest.
inline constexpr std::size_t kNamesShown = 20;

// before + count + kFilesAfter and the names of count files, name(i) giving the i-th; only
// the first kNamesShown are asked for. Empty when count is 0.
template <typename NameOf>
std::string NameList(const Phrase& before, std::size_t count, NameOf name) {
    if (count == 0) {
        return {};
    }
    std::string text = before + std::to_string(count) + msg::kFilesAfter;
    for (std::size_t i = 0; i < count && i < kNamesShown; ++i) {
        text += "\n" + name(i);
    }
    if (count > kNamesShown) {
        text += msg::kMoreBefore + std::to_string(count - kNamesShown) + msg::kMoreAfter;
    }
    return text;
}

inline std::string NameList(const Phrase& before, const std::vector<std::string>& names) {
    return NameList(before, names.size(), [&](std::size_t i) { return names[i]; });
}

} // namespace arbolink
