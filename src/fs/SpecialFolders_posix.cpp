// SPDX-License-Identifier: GPL-3.0-or-later
// The XDG base and user folders (xdg-user-dirs, the XDG base directories and the freedesktop
// trash) in the place of the Windows shell's special folders.
#include "fs/SpecialFolders.h"

#include "fs/Folders.h"

#include <cstdint>
#include <cstdlib>

namespace arbolink {

namespace {

// Files larger than this are no user-dirs file.
constexpr std::int64_t kMaxUserDirsBytes = 64 * 1024;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// $name when it holds an absolute path, else the fallback below the home folder.
std::string BaseFolder(const char* name, const std::string& home, const char* fallback) {
    std::string value = Environment(name);
    return !value.empty() && value[0] == '/' ? value : home + fallback;
}

std::string UserDir(std::string_view key, const char* fallback) {
    std::string home = Environment("HOME");
    std::string text;
    ReadWholeFile(BaseFolder("XDG_CONFIG_HOME", home, "/.config") + "/user-dirs.dirs", text,
                  kMaxUserDirsBytes);
    std::string folder = UserDirFromFile(text, key, home);
    return folder.empty() ? home + fallback : folder;
}

std::string Existing(const std::string& folder) {
    return FolderExists(folder) ? folder : std::string();
}

} // namespace

std::string UserDirFromFile(std::string_view text, std::string_view key, const std::string& home) {
    std::string found;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::string_view line =
            text.substr(start, end == std::string_view::npos ? end : end - start);
        start = end == std::string_view::npos ? text.size() : end + 1;
        if (line.size() < key.size() + 3 || line.substr(0, key.size()) != key ||
            line.substr(key.size(), 2) != "=\"" || line.back() != '"') {
            continue;
        }
        std::string_view value = line.substr(key.size() + 2, line.size() - key.size() - 3);
        if (value.substr(0, 5) == "$HOME" && (value.size() == 5 || value[5] == '/')) {
            found = home + std::string(value.substr(5));
        } else if (!value.empty() && value[0] == '/') {
            found = std::string(value);
        } else {
            found.clear();
        }
    }
    return found;
}

std::string SpecialFolderPath(SpecialFolder folder) {
    std::string home = Environment("HOME");
    std::string data = BaseFolder("XDG_DATA_HOME", home, "/.local/share");
    switch (folder) {
    case SpecialFolder::Desktop:
        return Existing(UserDir("XDG_DESKTOP_DIR", "/Desktop"));
    case SpecialFolder::Templates:
        return Existing(UserDir("XDG_TEMPLATES_DIR", "/Templates"));
    case SpecialFolder::Recent:
        return Existing(data + "/RecentDocuments");
    case SpecialFolder::Programs:
    case SpecialFolder::StartMenu:
        return Existing(data + "/applications");
    case SpecialFolder::Startup:
        return Existing(BaseFolder("XDG_CONFIG_HOME", home, "/.config") + "/autostart");
    case SpecialFolder::AppData:
        return Existing(data);
    case SpecialFolder::RecycleBin:
        return Existing(data + "/Trash/files");
    case SpecialFolder::Favorites:
    case SpecialFolder::SendTo:
        break;
    }
    return {};
}

} // namespace arbolink
