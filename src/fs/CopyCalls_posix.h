// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system calls the file copy moves its bytes with, in one place so that a test can make
// one of them fail the way a pulled disk does. POSIX only.

#include <cstddef>
#include <sys/types.h>

namespace arbolink {

struct CopyCalls {
    ssize_t (*read)(int fd, void* buffer, std::size_t size);
    ssize_t (*write)(int fd, const void* buffer, std::size_t size);
    // copy_file_range between the descriptors' own offsets.
    ssize_t (*copyRange)(int in, int out, std::size_t size);
};

// The calls in use: the system's own unless a test has put others in.
CopyCalls& ActiveCopyCalls();

// The system's own calls.
CopyCalls SystemCopyCalls();

} // namespace arbolink
