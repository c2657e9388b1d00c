// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a lost disk of a set again, byte for byte, from the disks that are left and its
// recovery disks.

#include <cstdint>
#include <string>
#include <vector>

namespace arbolink {

struct RebuildRequest {
    std::vector<std::string> folders; // the disk folders (folder prefixes) at hand
    int disk = 0;                     // 1 to N: a data disk; N + j: recovery disk j
    std::string out;                  // the disk folder (a folder prefix) to write it into
};

// Rebuilds the disk: its files from any N of the set's other disks, each checked against the
// digest the set recorded, then its set files. True when every file was written and matched;
// message is the closing line or what went wrong. A disk whose files cannot all be made
// leaves what was written in out, never a file that did not match.
bool RebuildDisk(const RebuildRequest& request, std::string& message);

} // namespace arbolink
