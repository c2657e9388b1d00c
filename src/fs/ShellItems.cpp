// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the shell items' operations that every platform shares.
#include "fs/ShellItems.h"

#include "fs/Folders.h"
#include "fs/FreeName.h"
#include "fs/TreePaths.h"

namespace arbolink {

std::string FreeNameIn(const std::string& folder, const std::string& name, bool isFolder) {
    if (!EntryExists(ChildPath(folder, name))) {
        return name;
    }
    for (int number = 2;; ++number) {
        std::string candidate = NumberedName(name, isFolder, number);
        if (!EntryExists(ChildPath(folder, candidate))) {
            return candidate;
        }
    }
}

} // namespace arbolink
