// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The kernel's table of mounted file systems, as the drive inspection reads it.

#include <string>
#include <string_view>
#include <vector>

namespace arbolink {

struct MountEntry {
    std::string mountPoint; // absolute, escapes decoded
    std::string device;     // "major:minor"
    std::string fsType;     // "ext4", "tmpfs", "fuse.sshfs" ...
    std::string source;     // "/dev/sdb1", "server:/export" ...
};

// Parses one line of a mountinfo file; false for a line that is not a mount entry.
bool ParseMountInfoLine(std::string_view line, MountEntry& entry);

// Every entry of the mountinfo file, in the file's order; empty when it cannot be read.
std::vector<MountEntry> ReadMountInfo(const std::string& mountInfoPath);

// True when path lies in or below the folder mountPoint (whole names compared).
bool IsAtOrBelow(const std::string& path, const std::string& mountPoint);

// The mounted file system holding the absolute path: the longest mount point prefixing it,
// the later entry of two with the same mount point (it is mounted over the first). Null
// when none does.
const MountEntry* MountHolding(const std::vector<MountEntry>& table, const std::string& path);

} // namespace arbolink
