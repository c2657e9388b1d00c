// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table of the files of a split or restore: five columns of text cells, one row per file
// plus, after the file rows, the row for the program's own file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace arbolink {

enum Column : std::size_t {
    Folder = 0,     // folder relative to the source root in index form ("docs\old\"); "" at the top
    Name = 1,       // the file's own name
    StoredName = 2, // the name of the file on its disk
    Size = 3,       // bytes, decimal
    Disk = 4,       // disk number from 1, decimal; empty until assigned
};

inline constexpr std::size_t kColumnCount = 5;

class FileTable {
public:
    // Discards the contents and makes rows empty rows. Throws std::bad_alloc when the
    // memory cannot be had.
    void Allocate(std::size_t rows);
    // Discards the contents.
    void Discard();
    // Sets every cell of rows 0 to rows - 1 to the empty string.
    void ClearRows(std::size_t rows);

    std::size_t RowCount() const { return columns_[0].size(); }
    std::string& Cell(Column column, std::size_t row) { return columns_[column][row]; }
    const std::string& Cell(Column column, std::size_t row) const { return columns_[column][row]; }
    // Reorders rows 0 to order.size() - 1 so that row i becomes the former row order[i].
    void Permute(const std::vector<std::uint32_t>& order);

private:
    std::array<std::vector<std::string>, kColumnCount> columns_;
};

// A decimal cell as a number: 0 for an empty or malformed cell.
std::int64_t CellNumber(const std::string& cell);

} // namespace arbolink
