#include "core/rFile/RestorePaths.h"

#include "fs/Folders.h"

namespace arbolink {

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// One folder or file name: it stays inside the folder it is appended to on every platform.
bool IsSafeName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    if (name.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos) {
        return false;
    }
    // "c:" names a drive on Windows, and a path beginning so would leave the folder.
    return !(name.size() >= 2 && IsAsciiLetter(name[0]) && name[1] == ':');
}

} // namespace

std::optional<std::string> RestoreFolderOf(std::string_view indexFolder) {
    if (indexFolder.empty()) {
        return std::string();
    }
    if (indexFolder.back() == kIndexSeparator) {
        indexFolder.remove_suffix(1);
    }
    // A leading "\" (absolute) or a doubled one shows up here as an empty name.
    std::size_t start = 0;
    for (;;) {
        std::size_t end = indexFolder.find(kIndexSeparator, start);
        std::string_view part = indexFolder.substr(start, end - start);
        if (!IsSafeName(part)) {
            return std::nullopt;
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return FromIndexFolder(indexFolder) + kPathSeparator;
}

std::optional<std::string> RestorePathOf(std::string_view indexFolder, std::string_view name) {
    std::optional<std::string> folder = RestoreFolderOf(indexFolder);
    if (!folder || !IsSafeName(name)) {
        return std::nullopt;
    }
    return *folder + std::string(name);
}

} // namespace arbolink
