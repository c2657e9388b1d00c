// SPDX-License-Identifier: GPL-3.0-or-later
// POSIX backend of the file size limit: the file system's type from statfs.
#include "fs/FileSizeLimit.h"

#include <sys/vfs.h>

namespace arbolink {

namespace {

constexpr long kMsdosMagic = 0x4d44; // vfat, msdos: sizes are 32-bit on disk

} // namespace

std::int64_t FileSizeLimit(const std::string& folder) {
    std::string path = folder;
    struct statfs info {};
    while (statfs(path.empty() ? "." : path.c_str(), &info) != 0) {
        // Go up one folder: the set's folder is created only when the disk is written.
        while (!path.empty() && path.back() == '/') {
            path.pop_back();
        }
        std::size_t slash = path.rfind('/');
        if (path.empty() || slash == std::string::npos) {
            return -1;
        }
        path.resize(slash + 1);
    }
    return info.f_type == kMsdosMagic ? std::int64_t{0xFFFFFFFF} : -1;
}

} // namespace arbolink
