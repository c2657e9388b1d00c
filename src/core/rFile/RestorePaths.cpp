// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rFile/RestorePaths.h"

#include "core/SetFormat.h"
#include "fs/Folders.h"

namespace arbolink {

std::optional<std::string> RestoreFolderOf(std::string_view indexFolder) {
    if (indexFolder.empty()) {
        return std::string();
    }
    if (indexFolder.back() == kIndexSeparator) {
        indexFolder.remove_suffix(1);
    }
    // A leading "\" (absolute) or a doubled one shows up here as an empty name.
    std::size_t start = 0;
    for (;;) {
        std::size_t end = indexFolder.find(kIndexSeparator, start);
        std::string_view part = indexFolder.substr(start, end - start);
        if (!IsIndexName(part)) {
            return std::nullopt;
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return FromIndexFolder(indexFolder) + kPathSeparator;
}

std::optional<std::string> RestorePathOf(std::string_view indexFolder, std::string_view name) {
    std::optional<std::string> folder = RestoreFolderOf(indexFolder);
    if (!folder || !IsIndexName(name)) {
        return std::nullopt;
    }
    return *folder + std::string(name);
}

} // namespace arbolink
