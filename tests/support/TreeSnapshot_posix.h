// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything below a folder as a test compares it: every folder, and every file with its
// bytes, modification time and permission bits.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace arbolink::test {

struct SnapshotEntry {
    bool folder = false;
    std::string bytes;        // files only
    std::int64_t mtimeNs = 0; // files only: nanoseconds since the epoch
    unsigned permissions = 0; // files only: the low nine mode bits
    bool operator==(const SnapshotEntry&) const = default;
};

// Keyed by the path relative to the root, with "/" between names.
using TreeSnapshot = std::map<std::string, SnapshotEntry>;

// Reads the tree below root; links are taken as they are, never followed (a link shows up as
// a file whose bytes are "-> target"), and FIFOs and devices are never opened (their bytes
// tell their kind).
TreeSnapshot SnapshotOf(const std::string& root);

// What differs between two snapshots, one line per path, empty when they are equal.
std::vector<std::string> Differences(const TreeSnapshot& expected, const TreeSnapshot& actual);

} // namespace arbolink::test
