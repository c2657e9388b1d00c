// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/TreePaths.h"

#include "fs/Folders.h"
#include "fs/MountTable.h"

namespace arbolink {

namespace {

std::vector<std::string> SplitNames(const std::string& path) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (end > start) {
            names.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

} // namespace

std::string TreePathForm(const std::string& path) {
    if (path.empty() || path[0] != '/') {
        return {};
    }
    std::string form;
    for (const std::string& name : SplitNames(path)) {
        if (name == "..") {
            return {};
        }
        if (name != ".") {
            form += "/" + name;
        }
    }
    return form.empty() ? "/" : form;
}

bool NamesBelow(const std::string& folder, const std::string& path,
                std::vector<std::string>& names) {
    names.clear();
    if (folder.empty() || path.empty() || !IsAtOrBelow(path, folder)) {
        return false;
    }
    names = SplitNames(path.substr(folder == "/" ? 0 : folder.size()));
    return true;
}

int ClosestFolderHolding(const std::vector<std::string>& folders, const std::string& path) {
    int closest = -1;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (!path.empty() && IsAtOrBelow(path, folders[i]) &&
            (closest < 0 ||
             folders[i].size() > folders[static_cast<std::size_t>(closest)].size())) {
            closest = static_cast<int>(i);
        }
    }
    return closest;
}

std::string ChildPath(const std::string& folder, const std::string& name) {
    return AddBackslash(folder) + name;
}

} // namespace arbolink
