// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the folder tree knows about one of its nodes.

#include <string>

namespace arbolink {

enum class NodeKind {
    Computer, // the root of the drives: no file-system path
    Drive,    // a mounted volume's root
    Folder,
    File,
};

struct FolderNodeData {
    NodeKind kind = NodeKind::Folder;
    std::string path;      // the file-system path; empty for the computer
    std::string driveKind; // for a drive, GetDriveKind's answer ("Rem", "HDD", ...)
    bool filled = false;   // the children have been listed
};

} // namespace arbolink
