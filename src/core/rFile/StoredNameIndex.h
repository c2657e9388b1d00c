// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds the index rows of a stored file by its name in constant time, so that a disk of many
// files is matched against a large index without comparing every file with every row.

#include "core/FileTable.h"
#include "core/rFile/SetReader.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace arbolink {

class StoredNameIndex {
public:
    static constexpr std::int64_t kNoRow = -1;

    // Indexes the StoredName of rows 0 to rows - 1. The table must outlive the index and
    // keep those cells unchanged.
    StoredNameIndex(const FileTable& table, std::size_t rows);

    // The first row whose StoredName equals name byte for byte, or kNoRow.
    std::int64_t First(std::string_view name) const;
    // The first row of a file as the disk's listing names it. The disks of a CP932 set may
    // hold their stored files under CP932 bytes, so there a name not found as it stands is
    // looked up once more read as CP932.
    std::int64_t FirstOnDisk(std::string_view entryName, SetEncoding encoding) const;
    // The next row after row with the same StoredName, in table order, or kNoRow.
    std::int64_t Next(std::int64_t row) const { return next_[static_cast<std::size_t>(row)]; }

private:
    std::unordered_map<std::string_view, std::int64_t> first_;
    std::vector<std::int64_t> next_;
};

} // namespace arbolink
