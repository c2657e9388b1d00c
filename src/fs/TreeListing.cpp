// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/TreeListing.h"

#include "fs/Encoding.h"
#include "fs/Folders.h"

#include <algorithm>

namespace arbolink {

namespace {

bool IsListed(const FolderEntry& entry, const TreeListOptions& options) {
    if (!IsListedName(entry.name, options.includeHidden)) {
        return false;
    }
    if (entry.kind == EntryKind::Folder) {
        return true;
    }
    return options.withFiles && entry.kind == EntryKind::File &&
           MatchesFileMask(entry.name, options.fileMask);
}

} // namespace

bool IsListedName(const std::string& name, bool includeHidden) {
    if (name == "System Volume Information") {
        return false;
    }
    return includeHidden || name.empty() || name[0] != '.';
}

bool MatchesFileMask(const std::string& name, const std::vector<std::string>& fileMask) {
    if (fileMask.empty()) {
        return true;
    }
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        return false;
    }
    std::string extension = UpperCase(name.substr(dot));
    return std::any_of(fileMask.begin(), fileMask.end(),
                       [&](const std::string& entry) { return UpperCase(entry) == extension; });
}

bool ListTreeChildren(const std::string& folder, const TreeListOptions& options,
                      std::vector<TreeChild>& children) {
    std::vector<FolderEntry> entries;
    bool listed = ListFolder(AddBackslash(folder), false, entries);
    for (const FolderEntry& entry : entries) {
        if (IsListed(entry, options)) {
            children.push_back({entry.name, entry.kind == EntryKind::Folder});
        }
    }
    return listed;
}

bool HasTreeChildren(const std::string& folder, const TreeListOptions& options) {
    std::vector<TreeChild> children;
    ListTreeChildren(folder, options, children);
    return !children.empty();
}

} // namespace arbolink
