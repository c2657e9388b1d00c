// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rFile/StoredNameIndex.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

std::vector<std::int64_t> RowsOf(const StoredNameIndex& index, const std::string& name) {
    std::vector<std::int64_t> rows;
    for (std::int64_t row = index.First(name); row != StoredNameIndex::kNoRow;
         row = index.Next(row)) {
        rows.push_back(row);
    }
    return rows;
}

TEST(StoredNameIndex, FindsEveryRowOfANameInTableOrder) {
    FileTable table;
    table.Allocate(6);
    const std::vector<std::string> stored = {"a.txt", "b.txt", "a.txt", "A.txt", "a.txt", ""};
    for (std::size_t row = 0; row < stored.size(); ++row) {
        table.SetCell(StoredName, row, stored[row]);
    }
    // The last row lies beyond the rows indexed.
    StoredNameIndex index(table, 5);
    EXPECT_EQ(RowsOf(index, "a.txt"), (std::vector<std::int64_t>{0, 2, 4}));
    EXPECT_EQ(RowsOf(index, "b.txt"), (std::vector<std::int64_t>{1}));
    // Byte for byte: letter case and a trailing blank make other names.
    EXPECT_EQ(RowsOf(index, "A.txt"), (std::vector<std::int64_t>{3}));
    EXPECT_EQ(RowsOf(index, "B.txt"), std::vector<std::int64_t>{});
    EXPECT_EQ(RowsOf(index, "a.txt "), std::vector<std::int64_t>{});
    EXPECT_EQ(RowsOf(index, ""), std::vector<std::int64_t>{});
}

} // namespace
} // namespace arbolink
