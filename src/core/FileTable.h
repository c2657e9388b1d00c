// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table of the files of a split or restore: five columns, one row per file plus, after the
// file rows, the row for the program's own file. Folder, Name and StoredName hold text, Size
// and Disk numbers.
//
// A million rows must fit in little memory, so no column keeps what another one already has:
// a folder's text is kept once for the rows that follow one another in it, and a stored name
// only where it differs from the row's Name, which it does for few rows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace arbolink {

enum Column : std::size_t {
    Folder = 0,     // folder relative to the source root in index form ("docs\old\"); "" at the top
    Name = 1,       // the file's own name
    StoredName = 2, // the name of the file on its disk
    Size = 3,       // bytes; 0 while the row is empty
    Disk = 4,       // disk number from 1; 0 until assigned
};

inline constexpr std::size_t kColumnCount = 5;

class FileTable {
public:
    // Discards the contents and makes rows empty rows. Throws std::bad_alloc when the
    // memory cannot be had.
    void Allocate(std::size_t rows);
    // Discards the contents.
    void Discard();
    // Empties every cell of rows 0 to rows - 1: texts "", numbers 0.
    void ClearRows(std::size_t rows);

    std::size_t RowCount() const { return names_.size(); }
    // The text of a Folder, Name or StoredName cell.
    const std::string& Cell(Column column, std::size_t row) const;
    // Writes a Folder, Name or StoredName cell; the other cells of the row keep their values.
    void SetCell(Column column, std::size_t row, std::string text);
    // The number of a Size or Disk cell.
    std::int64_t Number(Column column, std::size_t row) const;
    void SetNumber(Column column, std::size_t row, std::int64_t value);
    // Reorders rows 0 to order.size() - 1 so that row i becomes the former row order[i].
    void Permute(const std::vector<std::uint32_t>& order);

private:
    // Where a row's stored name is: an index into storedNames_, or one of these.
    static constexpr std::uint32_t kSameAsName = UINT32_MAX;
    static constexpr std::uint32_t kEmptyStored = UINT32_MAX - 1;

    // One row's cells, as the columns hold them, while rows are moved.
    struct Row {
        std::uint32_t folder;
        std::string name;
        std::uint32_t stored;
        std::int64_t size;
        std::int32_t disk;
    };
    // Which columns that may be alike in every row a reordering moves.
    struct Moving {
        bool stored;
        bool disks;
    };
    Row TakeRow(std::size_t row, Moving moving);
    void PutRow(std::size_t row, Row&& cells, Moving moving);

    std::uint32_t FolderIndex(std::string text);
    std::uint32_t StoredIndex(std::string text, const std::string& name);

    std::vector<std::string> folders_; // folders_[0] is ""
    std::vector<std::uint32_t> folderOfRow_;
    std::vector<std::string> names_;
    std::vector<std::string> storedNames_;
    std::vector<std::uint32_t> storedOfRow_;
    std::vector<std::int64_t> sizes_;
    std::vector<std::int32_t> disks_;
};

// A decimal text as a number: 0 for an empty or malformed text.
std::int64_t CellNumber(const std::string& cell);

} // namespace arbolink
