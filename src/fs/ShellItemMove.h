// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The part of moving a shell item that every platform shares, behind the platform's own calls.

#include "fs/ShellItems.h"

#include <string>

namespace arbolink {

// Moves the item to target, a path nothing has yet: by moveNoReplace (answers 0 or an errno
// value, EXDEV across volumes), or else by copyTo and then deleting the item. A copy that
// fails is removed again; a delete that fails leaves the copy and tells why.
ItemResult MoveToFreePath(const std::string& item, const std::string& target,
                          int (*moveNoReplace)(const std::string& from, const std::string& to),
                          ItemResult (*copyTo)(const std::string& item, const std::string& target));

} // namespace arbolink
