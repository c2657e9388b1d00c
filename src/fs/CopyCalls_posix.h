// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system calls the file copy moves its bytes and names its file with, in one place so that
// a test can make one of them fail the way a pulled disk or a simpler file system does. POSIX
// only.

#include <cstddef>
#include <sys/types.h>

namespace arbolink {

struct CopyCalls {
    ssize_t (*read)(int fd, void* buffer, std::size_t size);
    ssize_t (*write)(int fd, const void* buffer, std::size_t size);
    // copy_file_range between the descriptors' own offsets.
    ssize_t (*copyRange)(int in, int out, std::size_t size);
    // renameat2 with RENAME_NOREPLACE, both names in the one folder.
    int (*renameNoReplace)(int folder, const char* from, const char* to);
    // linkat without following a link, both names in the one folder.
    int (*link)(int folder, const char* from, const char* to);
    // openat with O_TMPFILE: an unnamed file for writing in the folder at path.
    int (*openUnnamed)(int folder, const char* path);
    // Gives the unnamed file open as fd the name in the folder; fails with EEXIST when taken.
    int (*linkUnnamed)(int fd, int folder, const char* to);
};

// The calls in use: the system's own unless a test has put others in.
CopyCalls& ActiveCopyCalls();

// The system's own calls.
CopyCalls SystemCopyCalls();

} // namespace arbolink
