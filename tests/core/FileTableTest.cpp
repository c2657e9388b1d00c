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

} // namespace
} // namespace arbolink
