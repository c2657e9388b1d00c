// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rFile/StoredNameIndex.h"

#include "fs/Encoding.h"

#include <string>

namespace arbolink {

StoredNameIndex::StoredNameIndex(const FileTable& table, std::size_t rows) : next_(rows, kNoRow) {
    first_.reserve(rows);
    // Walking backwards and putting each row in front keeps every chain in table order.
    for (std::size_t row = rows; row-- > 0;) {
        auto [slot, inserted] =
            first_.try_emplace(table.Cell(StoredName, row), static_cast<std::int64_t>(row));
        if (!inserted) {
            next_[row] = slot->second;
            slot->second = static_cast<std::int64_t>(row);
        }
    }
}

std::int64_t StoredNameIndex::First(std::string_view name) const {
    auto found = first_.find(name);
    return found == first_.end() ? kNoRow : found->second;
}

std::int64_t StoredNameIndex::FirstOnDisk(std::string_view entryName, SetEncoding encoding) const {
    const std::int64_t row = First(entryName);
    if (row != kNoRow || encoding != SetEncoding::Cp932) {
        return row;
    }
    std::string utf8;
    return Cp932ToUtf8(entryName, utf8) ? First(utf8) : kNoRow;
}

} // namespace arbolink
