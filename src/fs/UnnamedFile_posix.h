// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files with no name in their folder (O_TMPFILE), given one once they are whole: a file cut
// short by a crash or a kill is never left behind.

#include <sys/types.h>

namespace arbolink {

// Opens a new unnamed file in the folder path (relative to the folder descriptor folder, or
// AT_FDCWD) with the open flags given besides O_TMPFILE and O_CLOEXEC, and the permission
// bits mode before the umask. Only where /proc is mounted: without it the file could not be given
// its name, and what was written would be lost (EOPNOTSUPP then). -1, errno set, when it cannot be
// made.
int OpenUnnamed(int folder, const char* path, int flags, mode_t mode);

// Links the unnamed file fd at to (relative to folder). 0, or -1 with errno set: EEXIST when
// to exists, EXDEV on another file system, ENOENT for a file whose name was taken away.
int LinkUnnamed(int fd, int folder, const char* to);

} // namespace arbolink
