// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paths as the folder tree walks them: from a drive's root (or the tree's root folder) down
// one name at a time.

#include <string>
#include <vector>

namespace arbolink {

// The absolute path with repeated and final separators and "." names dropped; empty when
// the path is not absolute or holds "..", which the tree cannot walk without resolving links.
std::string TreePathForm(const std::string& path);

// The names that lead from folder down to path (both in tree form); false when path does not
// lie at or below folder. A path equal to folder gives no names.
bool NamesBelow(const std::string& folder, const std::string& path,
                std::vector<std::string>& names);

// The index of the folder that holds path most closely (the longest one at or above it);
// -1 when none does.
int ClosestFolderHolding(const std::vector<std::string>& folders, const std::string& path);

// The path of the entry name inside folder.
std::string ChildPath(const std::string& folder, const std::string& name);

} // namespace arbolink
