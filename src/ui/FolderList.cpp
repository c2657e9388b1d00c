// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FolderList.h"

#include <algorithm>

namespace arbolink {

namespace {

// Only ASCII letters change: the bytes of a multi-byte character never look like them.
char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return LowerAscii(c); });
    return lower;
}

} // namespace

std::string ListedFolder(const std::string& typed) {
    return kFolderNamesIgnoreCase ? LowerAscii(typed) : typed;
}

bool SameListedFolder(const std::string& a, const std::string& b) {
    return kFolderNamesIgnoreCase ? LowerAscii(a) == LowerAscii(b) : a == b;
}

} // namespace arbolink
