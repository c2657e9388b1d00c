// SPDX-License-Identifier: GPL-3.0-or-later
// Where the settings file lives on POSIX systems: in the user's configuration folder, as the
// desktop's base-directory rules have it. Beside an installed program it would be shared by
// every user, and written into /usr/bin by a program run as root.
#include "ui/IniFile.h"

#include <cstdlib>
#include <pwd.h>
#include <string>
#include <unistd.h>

namespace arbolink {

namespace {

bool IsAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

// $HOME, or the home folder of the user's account when the environment names none.
std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (IsAbsolute(home)) {
        return home;
    }
    const passwd* account = getpwuid(getuid());
    return account != nullptr && IsAbsolute(account->pw_dir) ? account->pw_dir : "";
}

std::string ConfigurationFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (IsAbsolute(xdg)) {
        return xdg;
    }
    const std::string home = HomeFolder();
    return home.empty() ? "" : home + "/.config";
}

} // namespace

std::string SettingsFilePath(const std::string&) {
    const std::string folder = ConfigurationFolder();
    return folder.empty() ? "" : folder + "/arbolink/arbolink.ini";
}

} // namespace arbolink
