// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the shell items' operations that every platform shares.
#include "fs/ShellItems.h"

#include "fs/Folders.h"
#include "fs/FreeName.h"
#include "fs/ShellItemMove.h"
#include "fs/TreePaths.h"

#include <cerrno>

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

ItemResult MoveToFreePath(const std::string& item, const std::string& target,
                          int (*moveNoReplace)(const std::string& from, const std::string& to),
                          ItemResult (*copyTo)(const std::string& item,
                                               const std::string& target)) {
    if (EntryExists(target)) {
        return {false, EEXIST, {}};
    }
    const int error = moveNoReplace(item, target);
    if (error != EXDEV) {
        return error == 0 ? ItemResult{true, 0, target} : ItemResult{false, error, {}};
    }
    ItemResult copied = copyTo(item, target);
    if (!copied.ok) {
        if (EntryExists(target)) {
            DeleteItem(target);
        }
        return {false, copied.error != 0 ? copied.error : EIO, {}};
    }
    ItemResult removed = DeleteItem(item);
    return removed.ok ? copied : ItemResult{false, removed.error, target};
}

} // namespace arbolink
