// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Walking down from a folder one name at a time without following a link or a junction,
// shared by the folder and copy backends. Windows only.

#include "fs/FileHandle_win32.h"
#include "fs/Folders.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace arbolink {

// The system's reason as the error number the callers word: they share the messages with
// the other platforms.
int ErrnoOfWin32(DWORD error);

// The folders below a root, each opened and checked in turn and held open without leave to
// delete or rename it, so that no link can be put in its place while the walk is used.
class HeldFolders {
public:
    // Walks root (as the user named it) and then each folder of relative ("docs\old\"), never
    // through a link or a junction, creating the missing ones when create is set. False with
    // stop saying where and why the walk ended.
    bool Open(const std::string& root, std::string_view relative, bool create,
              FolderWalkStop& stop);
    // The last folder reached, as a folder prefix.
    const std::string& path() const { return path_; }

private:
    std::vector<std::unique_ptr<FileHandle>> handles_;
    std::string path_;
};

} // namespace arbolink
