#pragma once
// How a chosen folder is filed in one of the main window's folder lists. Windows paths ignore
// case: a folder is filed lower-cased and entries are compared without regard to case. Linux
// paths do not: a folder is filed as it was given and entries are compared exactly.

#include <string>

namespace arbolink {

std::string FolderListText(const std::string& folder);

bool SameFolderListEntry(const std::string& a, const std::string& b);

} // namespace arbolink
