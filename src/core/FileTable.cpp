#include "core/FileTable.h"

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
            column[row].clear();
        }
    }
}

void FileTable::Permute(const std::vector<std::uint32_t>& order) {
    // Each column is rebuilt in the new order and swapped in: every cell is moved once,
    // into a cell not yet made, which costs less than moving it out and back.
    for (auto& column : columns_) {
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
