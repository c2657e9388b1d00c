// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FileTable.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

TEST(FileTable, PermuteMovesWholeRowsAndLeavesTheRowsAfterTheOrder) {
    FileTable table;
    table.Allocate(5);
    const std::string longText(40, 'x'); // kept outside the string itself
    for (std::size_t row = 0; row < 5; ++row) {
        const std::string tag = std::to_string(row);
        table.Cell(Folder, row) = longText + tag;
        table.Cell(Name, row) = "n" + tag;
        table.Cell(StoredName, row) = "s" + tag;
        table.Cell(Size, row) = tag;
        table.Cell(Disk, row) = row == 4 ? "1" : "";
    }
    table.Permute({2, 0, 3, 1}); // a cycle through all four file rows
    const std::vector<std::string> names = {"n2", "n0", "n3", "n1", "n4"};
    for (std::size_t row = 0; row < 5; ++row) {
        const std::string tag = names[row].substr(1);
        EXPECT_EQ(table.Cell(Name, row), names[row]);
        EXPECT_EQ(table.Cell(Folder, row), longText + tag);
        EXPECT_EQ(table.Cell(StoredName, row), "s" + tag);
        EXPECT_EQ(table.Cell(Size, row), tag);
    }
    EXPECT_EQ(table.Cell(Disk, 4), "1");
    EXPECT_EQ(table.RowCount(), 5u);

    table.Permute({0, 1, 2, 3}); // the identity changes nothing
    EXPECT_EQ(table.Cell(Name, 0), "n2");
    EXPECT_EQ(table.Cell(Name, 4), "n4");
}

TEST(FileTable, PermuteMovesAColumnThatIsEmptyButForOneRow) {
    FileTable table;
    table.Allocate(4);
    table.Cell(Disk, 1) = "2";
    table.Cell(Name, 1) = "b";
    table.Permute({1, 2, 0});
    EXPECT_EQ(table.Cell(Disk, 0), "2");
    EXPECT_EQ(table.Cell(Name, 0), "b");
    EXPECT_EQ(table.Cell(Disk, 1), "");
    EXPECT_EQ(table.Cell(Disk, 2), "");
}

TEST(FileTable, ClearRowsEmptiesTheFirstRowsOnly) {
    FileTable table;
    table.Allocate(3);
    for (std::size_t row = 0; row < 3; ++row) {
        table.Cell(Folder, row) = std::string(30, 'f');
        table.Cell(Size, row) = "7";
    }
    table.ClearRows(2);
    EXPECT_EQ(table.Cell(Folder, 0), "");
    EXPECT_EQ(table.Cell(Size, 1), "");
    EXPECT_EQ(table.Cell(Folder, 2), std::string(30, 'f'));
    EXPECT_EQ(table.Cell(Size, 2), "7");
    table.ClearRows(10); // more rows than the table has
    EXPECT_EQ(table.Cell(Size, 2), "");
}

} // namespace
} // namespace arbolink
