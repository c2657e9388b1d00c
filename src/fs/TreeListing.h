// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a folder tree lists inside one folder. A link to a folder is never listed (the tree
// would walk out of the folder through it), nor are devices, FIFOs and sockets; a link to a
// file is listed with the files.

#include <string>
#include <vector>

namespace arbolink {

struct TreeListOptions {
    bool includeHidden = true;         // names beginning with "."
    bool withFiles = false;            // files as well as folders
    std::vector<std::string> fileMask; // with files: extensions with their dot; empty lists all
};

struct TreeChild {
    std::string name;
    bool isFolder = false;
};

// False for "System Volume Information" (exactly that case) and, unless hidden names are
// included, for a name beginning with ".".
bool IsListedName(const std::string& name, bool includeHidden);

// The name's extension from its last "." on ("archive.tar.gz" gives ".gz", ".profile"
// gives ".profile"), compared without regard to case with every entry of the mask.
bool MatchesFileMask(const std::string& name, const std::vector<std::string>& fileMask);

// The folders (and, with files, the matching regular files) directly inside folder, in the
// order the file system yields them. False when the folder cannot be listed.
bool ListTreeChildren(const std::string& folder, const TreeListOptions& options,
                      std::vector<TreeChild>& children);

// True when ListTreeChildren would list anything: the tree marks such a node as expandable.
bool HasTreeChildren(const std::string& folder, const TreeListOptions& options);

} // namespace arbolink
