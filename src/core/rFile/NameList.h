// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lists of files a closing message names: a count, then the first names, one a line.

#include "core/Formatted.h"
#include "core/Phrase.h"
#include "core/rFile/RestoreMessages.h"

#include <cstddef>
#include <string>
#include <vector>

namespace arbolink {

// A closing message names at most this many files of each kind; a count says the rest.
inline constexpr std::size_t kNamesShown = 20;

// The header filled in with count, then the names of count files, name(i) giving the i-th;
// only the first kNamesShown are asked for. Empty when count is 0.
template <typename NameOf>
std::string NameList(const Phrase& header, std::size_t count, NameOf name) {
    if (count == 0) {
        return {};
    }
    std::string text = Formatted(header, count);
    for (std::size_t i = 0; i < count && i < kNamesShown; ++i) {
        text += "\n" + name(i);
    }
    if (count > kNamesShown) {
        text += Formatted(msg::kMoreFiles, count - kNamesShown);
    }
    return text;
}

inline std::string NameList(const Phrase& header, const std::vector<std::string>& names) {
    return NameList(header, names.size(), [&](std::size_t i) { return names[i]; });
}

} // namespace arbolink
