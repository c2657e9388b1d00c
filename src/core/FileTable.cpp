// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FileTable.h"

#include <charconv>
#include <stdexcept>

namespace arbolink {

namespace {

template <typename Cells> void Release(Cells& column) {
    Cells().swap(column);
}

// True when the first rows cells of the column are all alike, so that no order changes them.
template <typename Cells> bool Uniform(const Cells& column, std::size_t rows) {
    for (std::size_t row = 1; row < rows; ++row) {
        if (column[row] != column[0]) {
            return false;
        }
    }
    return true;
}

} // namespace

void FileTable::Allocate(std::size_t rows) {
    Discard();
    folders_.emplace_back();
    folderOfRow_.resize(rows, 0);
    names_.resize(rows);
    storedOfRow_.resize(rows, kSameAsName);
    sizes_.resize(rows, 0);
    disks_.resize(rows, 0);
}

void FileTable::Discard() {
    Release(folders_);
    Release(folderOfRow_);
    Release(names_);
    Release(storedNames_);
    Release(storedOfRow_);
    Release(sizes_);
    Release(disks_);
}

void FileTable::ClearRows(std::size_t rows) {
    for (std::size_t row = 0; row < rows && row < RowCount(); ++row) {
        folderOfRow_[row] = 0;
        // Reading an empty cell is cheaper than writing it again: the rows of a table just
        // allocated are all empty.
        if (!names_[row].empty()) {
            names_[row].clear();
        }
        storedOfRow_[row] = kSameAsName;
        sizes_[row] = 0;
        disks_[row] = 0;
    }
}

const std::string& FileTable::Cell(Column column, std::size_t row) const {
    static const std::string empty;
    switch (column) {
    case Folder:
        return folders_[folderOfRow_[row]];
    case StoredName: {
        const std::uint32_t stored = storedOfRow_[row];
        return stored == kSameAsName    ? names_[row]
               : stored == kEmptyStored ? empty
                                        : storedNames_[stored];
    }
    case Name:
        return names_[row];
    case Size:
    case Disk:
        break;
    }
    throw std::logic_error("a number column holds no text");
}

void FileTable::SetCell(Column column, std::size_t row, std::string text) {
    switch (column) {
    case Folder:
        folderOfRow_[row] = FolderIndex(std::move(text));
        break;
    case Name:
        // A stored name that followed the old Name keeps the old text.
        if (storedOfRow_[row] == kSameAsName && names_[row] != text) {
            storedOfRow_[row] = StoredIndex(std::move(names_[row]), text);
        }
        names_[row] = std::move(text);
        break;
    case StoredName:
        storedOfRow_[row] = StoredIndex(std::move(text), names_[row]);
        break;
    case Size:
    case Disk:
        throw std::logic_error("a number column holds no text");
    }
}

std::int64_t FileTable::Number(Column column, std::size_t row) const {
    return column == Size ? sizes_[row] : column == Disk ? disks_[row] : 0;
}

void FileTable::SetNumber(Column column, std::size_t row, std::int64_t value) {
    if (column == Size) {
        sizes_[row] = value;
    } else if (column == Disk) {
        disks_[row] = static_cast<std::int32_t>(value);
    } else {
        throw std::logic_error("a text column holds no number");
    }
}

void FileTable::Permute(const std::vector<std::uint32_t>& order) {
    // Rows are moved in place, following each cycle of the order, all columns at once: a copy
    // of the table would cost more memory than the rest of the planning.
    // The table is sorted before stored names and disks are given: those columns are then
    // alike in every row, and each row moved touches two columns fewer.
    const Moving moving{!Uniform(storedOfRow_, order.size()), !Uniform(disks_, order.size())};
    std::vector<bool> placed(order.size(), false);
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (placed[start]) {
            continue;
        }
        Row held = TakeRow(start, moving);
        std::size_t to = start;
        for (std::size_t from = order[to]; from != start; from = order[to]) {
            PutRow(to, TakeRow(from, moving), moving);
            placed[to] = true;
            to = from;
        }
        PutRow(to, std::move(held), moving);
        placed[to] = true;
    }
}

FileTable::Row FileTable::TakeRow(std::size_t row, Moving moving) {
    return {folderOfRow_[row], std::move(names_[row]), moving.stored ? storedOfRow_[row] : 0,
            sizes_[row], moving.disks ? disks_[row] : 0};
}

void FileTable::PutRow(std::size_t row, Row&& cells, Moving moving) {
    folderOfRow_[row] = cells.folder;
    names_[row] = std::move(cells.name);
    sizes_[row] = cells.size;
    if (moving.stored) {
        storedOfRow_[row] = cells.stored;
    }
    if (moving.disks) {
        disks_[row] = cells.disk;
    }
}

std::uint32_t FileTable::FolderIndex(std::string text) {
    if (text.empty()) {
        return 0;
    }
    // The walk writes a folder's rows one after another: one text serves them all.
    if (text == folders_.back()) {
        return static_cast<std::uint32_t>(folders_.size() - 1);
    }
    if (folders_.size() >= UINT32_MAX) {
        throw std::length_error("too many folders for the file table");
    }
    folders_.push_back(std::move(text));
    return static_cast<std::uint32_t>(folders_.size() - 1);
}

std::uint32_t FileTable::StoredIndex(std::string text, const std::string& name) {
    if (text == name) {
        return kSameAsName;
    }
    if (text.empty()) {
        return kEmptyStored;
    }
    if (storedNames_.size() >= kEmptyStored) {
        throw std::length_error("too many stored names for the file table");
    }
    storedNames_.push_back(std::move(text));
    return static_cast<std::uint32_t>(storedNames_.size() - 1);
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
