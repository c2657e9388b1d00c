// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/UnnamedFile_posix.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace arbolink {

int OpenUnnamed(int folder, const char* path, int flags, mode_t mode) {
    static const bool linkable = access("/proc/self/fd", X_OK) == 0;
    if (!linkable) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return openat(folder, path, O_TMPFILE | O_CLOEXEC | flags, mode);
}

// Through the descriptor's entry in /proc: linking it directly (AT_EMPTY_PATH) needs a
// privilege users do not have.
int LinkUnnamed(int fd, int folder, const char* to) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return linkat(AT_FDCWD, self.c_str(), folder, to, AT_SYMLINK_FOLLOW);
}

} // namespace arbolink
