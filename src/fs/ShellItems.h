// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file operations behind the folder tree's shell commands: rename, copy, move, link and
// delete one item. They act on the item the user pointed at and write only into the folder
// the user named: a symbolic link is copied, moved or removed as the link itself and never
// followed, another mounted volume below a folder is never entered, and nothing that exists
// is ever overwritten. On Windows a reparse point (a link, a junction, a volume mounted in a
// folder) stands where POSIX has a symbolic link or another volume, and a link is a shortcut.

#include <string>

namespace arbolink {

struct ItemResult {
    bool ok = false;
    int error = 0;    // the system's reason (an errno value) when not ok
    std::string path; // the item's path afterwards (the new name, the copy, the link)
};

// A name the item can take inside its folder: not empty, not "." or "..", no "/" or NUL; on
// Windows none of the characters <>:"/\|?* nor a control character, and no final space or dot.
bool IsValidItemName(const std::string& name);

// name itself when folder holds no entry of that name, else the first free NumberedName:
// "stem (2).ext", "stem (3).ext" and so on; a folder's name has no extension ("name (2)").
std::string FreeNameIn(const std::string& folder, const std::string& name, bool isFolder);

// Gives the item a new name in its own folder; EEXIST when the name is taken, EINVAL for a
// name that is not valid.
ItemResult RenameItem(const std::string& item, const std::string& newName);

// Copies the item (a file, a link or a whole folder) into folder under its own name, or
// under a free one when the name is taken. A folder cannot be copied into itself (EINVAL).
// Devices, FIFOs and sockets (ENOTSUP) and other volumes (EXDEV) inside a copied folder are
// left out, and then the copy is reported as failed although the rest was copied.
ItemResult CopyItemInto(const std::string& item, const std::string& folder);

// Moves the item into folder under its own name; EEXIST when that name is taken there,
// EINVAL when a folder would move into itself, EBUSY for a volume's root. Between volumes the item
// is copied and the original removed only when the whole copy succeeded; a failed copy is removed
// again. An item already in folder stays where it is and counts as moved.
ItemResult MoveItemInto(const std::string& item, const std::string& folder);

// Creates, inside folder, a symbolic link to the item under a free form of linkName; on Windows
// a shortcut, under a free form of linkName + ".lnk".
ItemResult CreateLinkIn(const std::string& item, const std::string& folder,
                        const std::string& linkName);

// Removes the item for good: a file or link is unlinked, a folder emptied and removed. A
// volume's root (a mount point) is refused with EBUSY.
ItemResult DeleteItem(const std::string& item);

#ifdef _WIN32
// Moves the item to the Recycle Bin. ENOTSUP on a drive that has none (removable, network),
// where the shell would delete it for good; EBUSY for a drive's root. The shell asks the user
// before it deletes an item too large for the Recycle Bin; a refusal answers EIO.
ItemResult TrashItem(const std::string& item);
#endif

} // namespace arbolink
