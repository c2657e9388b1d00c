// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FileTable.h"

#include <gtest/gtest.h>
#include <stdexcept>
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
        table.SetCell(Folder, row, longText + tag);
        table.SetCell(Name, row, "n" + tag);
        table.SetCell(StoredName, row, "s" + tag);
        table.SetNumber(Size, row, static_cast<std::int64_t>(row));
        table.SetNumber(Disk, row, row == 4 ? 1 : 0);
    }
    table.Permute({2, 0, 3, 1}); // a cycle through all four file rows
    const std::vector<std::string> names = {"n2", "n0", "n3", "n1", "n4"};
    for (std::size_t row = 0; row < 5; ++row) {
        const std::string tag = names[row].substr(1);
        EXPECT_EQ(table.Cell(Name, row), names[row]);
        EXPECT_EQ(table.Cell(Folder, row), longText + tag);
        EXPECT_EQ(table.Cell(StoredName, row), "s" + tag);
        EXPECT_EQ(std::to_string(table.Number(Size, row)), tag);
    }
    EXPECT_EQ(table.Number(Disk, 4), 1);
    EXPECT_EQ(table.RowCount(), 5u);

    table.Permute({0, 1, 2, 3}); // the identity changes nothing
    EXPECT_EQ(table.Cell(Name, 0), "n2");
    EXPECT_EQ(table.Cell(Name, 4), "n4");
}

TEST(FileTable, PermuteMovesAColumnThatIsEmptyButForOneRow) {
    FileTable table;
    table.Allocate(4);
    table.SetNumber(Disk, 1, 2);
    table.SetCell(Name, 1, "b");
    table.Permute({1, 2, 0});
    EXPECT_EQ(table.Number(Disk, 0), 2);
    EXPECT_EQ(table.Cell(Name, 0), "b");
    EXPECT_EQ(table.Cell(StoredName, 0), "");
    EXPECT_EQ(table.Number(Disk, 1), 0);
    EXPECT_EQ(table.Number(Disk, 2), 0);
}

TEST(FileTable, ClearRowsEmptiesTheFirstRowsOnly) {
    FileTable table;
    table.Allocate(3);
    for (std::size_t row = 0; row < 3; ++row) {
        table.SetCell(Folder, row, std::string(30, 'f'));
        table.SetCell(Name, row, "n");
        table.SetCell(StoredName, row, "s");
        table.SetNumber(Size, row, 7);
    }
    table.ClearRows(2);
    EXPECT_EQ(table.Cell(Folder, 0), "");
    EXPECT_EQ(table.Cell(StoredName, 0), "");
    EXPECT_EQ(table.Number(Size, 1), 0);
    EXPECT_EQ(table.Cell(Folder, 2), std::string(30, 'f'));
    EXPECT_EQ(table.Cell(StoredName, 2), "s");
    EXPECT_EQ(table.Number(Size, 2), 7);
    table.ClearRows(10); // more rows than the table has
    EXPECT_EQ(table.Number(Size, 2), 0);
    EXPECT_EQ(table.Cell(Name, 2), "");
}

// Rows share what they hold alike (a folder's text, a stored name equal to the Name), yet every
// cell keeps its own value whatever is written to the others, in any order.
TEST(FileTable, EveryCellKeepsItsOwnValueWhereRowsShareTheirTexts) {
    FileTable table;
    table.Allocate(4);
    table.SetCell(Folder, 0, "a\\");
    table.SetCell(Folder, 1, "a\\");
    table.SetCell(Folder, 2, "b\\");
    table.SetCell(Folder, 3, "a\\");
    table.SetCell(Folder, 1, "c\\");
    EXPECT_EQ(table.Cell(Folder, 0), "a\\");
    EXPECT_EQ(table.Cell(Folder, 1), "c\\");
    EXPECT_EQ(table.Cell(Folder, 2), "b\\");
    EXPECT_EQ(table.Cell(Folder, 3), "a\\");

    table.SetCell(Name, 0, "x.txt");
    table.SetCell(StoredName, 0, "x.txt");
    table.SetCell(Name, 0, "y.txt"); // the stored name was written as "x.txt" and stays so
    EXPECT_EQ(table.Cell(Name, 0), "y.txt");
    EXPECT_EQ(table.Cell(StoredName, 0), "x.txt");
    table.SetCell(StoredName, 0, "y.txt");
    table.SetCell(StoredName, 0, "");
    EXPECT_EQ(table.Cell(StoredName, 0), "");
    EXPECT_EQ(table.Cell(Name, 0), "y.txt");

    table.SetCell(Name, 1, "z"); // a stored name never written stays empty
    EXPECT_EQ(table.Cell(StoredName, 1), "");
    table.SetNumber(Size, 1, 5'000'000'000);
    EXPECT_EQ(table.Number(Size, 1), 5'000'000'000);

    EXPECT_THROW(table.Cell(Size, 0), std::logic_error);
    EXPECT_THROW(table.SetCell(Disk, 0, "1"), std::logic_error);
    EXPECT_THROW(table.SetNumber(Name, 0, 1), std::logic_error);
}

} // namespace
} // namespace arbolink
