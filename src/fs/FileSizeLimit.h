// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The largest file a file system can hold, where it is smaller than any disk we would meet.

#include <cstdint>
#include <string>

namespace arbolink {

// Bytes the largest file on the folder's file system may have: 4 GiB - 1 on FAT, -1 where
// the file system sets no such limit or cannot be inspected. The folder need not exist yet;
// its nearest existing parent is asked.
std::int64_t FileSizeLimit(const std::string& folder);

} // namespace arbolink
