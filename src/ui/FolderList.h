// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a folder is filed in the list of a main-window field. Where paths ignore letter case
// (Windows) a typed folder is filed lower-cased and list entries are compared without regard
// to case; elsewhere a path is kept exactly as typed and compared exactly, since two paths
// that differ in case name two folders. Plain C++, no Qt.

#include <string>

namespace arbolink {

#ifdef _WIN32
inline constexpr bool kFolderNamesIgnoreCase = true;
#else
inline constexpr bool kFolderNamesIgnoreCase = false;
#endif

// The entry a typed folder becomes in a field's list.
std::string ListedFolder(const std::string& typed);

// Whether two list entries name the same folder.
bool SameListedFolder(const std::string& a, const std::string& b);

} // namespace arbolink
