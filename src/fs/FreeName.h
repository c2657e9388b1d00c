// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names a file or folder takes where its own name is taken in its folder: "report (2).txt",
// "report (3).txt" and so on, as a desktop's file manager names a copy.

#include <string>

namespace arbolink {

// The number-th such name (number 2 or more): "stem (number).ext", where the extension starts
// at the last dot that is not the first character; a folder's name has no extension, so it
// becomes "name (number)".
std::string NumberedName(const std::string& name, bool isFolder, int number);

} // namespace arbolink
