// SPDX-License-Identifier: GPL-3.0-or-later
// Tree paths on Windows: a drive letter, a colon and "\" names the drive's root ("C:\"); "/" is
// taken for "\"; names are compared in either letter case, as Windows file systems compare them.
#include "fs/TreePaths.h"

#include "fs/Folders.h"

namespace arbolink {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "C:" followed by a separator: the only absolute form the tree walks.
bool HasDriveRoot(const std::string& path) {
    return path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2]);
}

std::vector<std::string> SplitNames(const std::string& path, std::size_t start) {
    std::vector<std::string> names;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) {
            ++end;
        }
        if (end > start) {
            names.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

// True when path lies at or below folder (both rooted at a drive), whole names compared in
// either letter case; namesOfFolder is then the number of names below the drive in folder.
bool AtOrBelow(const std::string& path, const std::string& folder, std::size_t& namesOfFolder) {
    if (!HasDriveRoot(path) || !HasDriveRoot(folder) ||
        !SameFileName(path.substr(0, 2), folder.substr(0, 2))) {
        return false;
    }
    std::vector<std::string> inner = SplitNames(path, 3);
    std::vector<std::string> outer = SplitNames(folder, 3);
    if (outer.size() > inner.size()) {
        return false;
    }
    for (std::size_t i = 0; i < outer.size(); ++i) {
        if (!SameFileName(inner[i], outer[i])) {
            return false;
        }
    }
    namesOfFolder = outer.size();
    return true;
}

} // namespace

std::string TreePathForm(const std::string& path) {
    if (!HasDriveRoot(path)) {
        return {};
    }
    std::string form = path.substr(0, 2);
    for (const std::string& name : SplitNames(path, 3)) {
        if (name == "..") {
            return {};
        }
        if (name != ".") {
            form += "\\" + name;
        }
    }
    return form.size() == 2 ? form + "\\" : form;
}

bool NamesBelow(const std::string& folder, const std::string& path,
                std::vector<std::string>& names) {
    names.clear();
    std::size_t skipped = 0;
    if (!AtOrBelow(path, folder, skipped)) {
        return false;
    }
    std::vector<std::string> all = SplitNames(path, 3);
    names.assign(all.begin() + static_cast<std::ptrdiff_t>(skipped), all.end());
    return true;
}

int ClosestFolderHolding(const std::vector<std::string>& folders, const std::string& path) {
    int closest = -1;
    std::size_t closestNames = 0;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        std::size_t names = 0;
        if (AtOrBelow(path, folders[i], names) && (closest < 0 || names > closestNames)) {
            closest = static_cast<int>(i);
            closestNames = names;
        }
    }
    return closest;
}

std::string ChildPath(const std::string& folder, const std::string& name) {
    return AddBackslash(folder) + name;
}

} // namespace arbolink
