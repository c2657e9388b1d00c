// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FileTable.h"

#include <algorithm>
#include <charconv>

namespace arbolink {

void FileTable::Allocate(std::size_t rows) {
    Discard();
    for (auto& column : columns_) {
        column.resize(rows);
    }
}

void FileTable::Discard() {
    for (auto& column : columns_) {
        std::vector<std::string>().swap(column);
    }
}

void FileTable::ClearRows(std::size_t rows) {
    for (auto& column : columns_) {
        for (std::size_t row = 0; row < rows && row < column.size(); ++row) {
            // Reading an empty cell is cheaper than writing it again: the rows of a table
            // just allocated are all empty.
            if (!column[row].empty()) {
                column[row].clear();
            }
        }
    }
}

void FileTable::Permute(const std::vector<std::uint32_t>& order) {
    // Each column is rebuilt in the new order and swapped in: every cell is moved once,
    // into a cell not yet made, which costs less than moving it out and back. A column
    // still empty in those rows (Disk, before the disks are assigned) stays as it is.
    for (auto& column : columns_) {
        const auto end = column.begin() + static_cast<std::ptrdiff_t>(order.size());
        if (std::all_of(column.begin(), end,
                        [](const std::string& cell) { return cell.empty(); })) {
            continue;
        }
        std::vector<std::string> reordered;
        reordered.reserve(column.size());
        for (std::uint32_t from : order) {
            reordered.push_back(std::move(column[from]));
        }
        for (std::size_t row = order.size(); row < column.size(); ++row) {
            reordered.push_back(std::move(column[row]));
        }
        column.swap(reordered);
    }
}

std::int64_t CellNumber(const std::string& cell) {
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    if (error != std::errc() || end != cell.data() + cell.size()) {
        return 0;
    }
    return value;
}

} // namespace arbolink
