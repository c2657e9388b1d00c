// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's well-known folders, which a folder tree can take as its root.

#include <string>
#include <string_view>

namespace arbolink {

enum class SpecialFolder {
    Desktop,
    Favorites,
    Programs,
    Recent,
    SendTo,
    StartMenu,
    Startup,
    AppData,
    Templates,
    RecycleBin, // the folder that holds the trashed items themselves
};

// The platform's folder for it; empty when the platform has none or it does not exist. Windows
// has no file system folder for the Recycle Bin.
std::string SpecialFolderPath(SpecialFolder folder);

#ifndef _WIN32
// The folder that a user-dirs file ("XDG_DESKTOP_DIR=\"$HOME/Desktop\"" lines) gives for key,
// with "$HOME" expanded to home; empty when the key is not there or its value is not an
// absolute path.
std::string UserDirFromFile(std::string_view text, std::string_view key, const std::string& home);
#endif

} // namespace arbolink
