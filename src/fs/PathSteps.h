// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder-by-folder walk below a root that both platforms' backends take, without what
// each one does at a step.

#include "fs/Folders.h"

#include <cerrno>
#include <string>
#include <string_view>

namespace arbolink {

// Walks the names of relative one at a time, cut at any of separators and skipping empty
// ones: each name is appended to walked and step(name) runs; separator follows the name once
// the step is done. A "." or ".." ends the walk with EINVAL in stop, before its step; a step
// that answers false (having set stop) ends it too. True when every name was stepped.
template <typename Step>
bool WalkPathSteps(std::string_view relative, std::string_view separators, char separator,
                   std::string& walked, FolderWalkStop& stop, Step step) {
    for (std::size_t start = 0; start < relative.size();) {
        std::size_t end = relative.find_first_of(separators, start);
        if (end == std::string_view::npos) {
            end = relative.size();
        }
        const std::string_view name = relative.substr(start, end - start);
        start = end + 1;
        if (name.empty()) {
            continue;
        }
        walked += name;
        if (name == "." || name == "..") {
            stop = {walked, EINVAL};
            return false;
        }
        if (!step(name)) {
            return false;
        }
        walked += separator;
    }
    return true;
}

} // namespace arbolink
