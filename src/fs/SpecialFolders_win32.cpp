// SPDX-License-Identifier: GPL-3.0-or-later
// The shell's known folders of the user (SHGetKnownFolderPath).
#include "fs/SpecialFolders.h"

#include "fs/Folders.h"
#include "fs/WideText_win32.h"

#include <windows.h>
// The shell's headers take their types from windows.h.
#include <knownfolders.h>
#include <shlobj.h>

namespace arbolink {

namespace {

// The known folder's path; empty when the shell has none or it does not exist (yet).
std::string KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path))) {
        folder = Narrow(path);
    }
    CoTaskMemFree(path);
    return FolderExists(folder) ? folder : std::string();
}

} // namespace

std::string SpecialFolderPath(SpecialFolder folder) {
    switch (folder) {
    case SpecialFolder::Desktop:
        return KnownFolder(FOLDERID_Desktop);
    case SpecialFolder::Favorites:
        return KnownFolder(FOLDERID_Favorites);
    case SpecialFolder::Programs:
        return KnownFolder(FOLDERID_Programs);
    case SpecialFolder::Recent:
        return KnownFolder(FOLDERID_Recent);
    case SpecialFolder::SendTo:
        return KnownFolder(FOLDERID_SendTo);
    case SpecialFolder::StartMenu:
        return KnownFolder(FOLDERID_StartMenu);
    case SpecialFolder::Startup:
        return KnownFolder(FOLDERID_Startup);
    case SpecialFolder::AppData:
        return KnownFolder(FOLDERID_RoamingAppData);
    case SpecialFolder::Templates:
        return KnownFolder(FOLDERID_Templates);
    case SpecialFolder::RecycleBin:
        // The Recycle Bin is a folder of the shell's only, one hidden folder on every drive.
        break;
    }
    return {};
}

} // namespace arbolink
