// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Walking down from a folder one name at a time without following a link, shared by the
// folder and copy backends. POSIX only.

#include "fs/Folders.h"

#include <string>
#include <string_view>

namespace arbolink {

// Opens root (as the user named it, a link followed) and then each folder of relative
// ("docs/old/", platform form) below it, never through a link, creating the missing ones
// (root and its parents among them) when create is set. Answers a descriptor of the last
// folder, which the caller closes, or -1 with stop saying where and why the walk ended.
int OpenFolderBelow(const std::string& root, std::string_view relative, bool create,
                    FolderWalkStop& stop);

} // namespace arbolink
