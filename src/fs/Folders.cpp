#include "fs/Folders.h"

#include <algorithm>

namespace arbolink {

std::string AddBackslash(const std::string& path) {
    // A UTF-8 trail byte is never below 0x80, so a final separator byte is always a
    // separator character of its own.
    if (!path.empty() && path.back() == kPathSeparator) {
        return path;
    }
    return path + kPathSeparator;
}

std::string ToIndexFolder(std::string_view platformFolder) {
    std::string folder(platformFolder);
    std::replace(folder.begin(), folder.end(), kPathSeparator, kIndexSeparator);
    return folder;
}

std::string FromIndexFolder(std::string_view indexFolder) {
    std::string folder(indexFolder);
    std::replace(folder.begin(), folder.end(), kIndexSeparator, kPathSeparator);
    return folder;
}

} // namespace arbolink
