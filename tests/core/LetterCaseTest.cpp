// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the names of a set that only letter case tells apart, and the warning that names
// them before a restore into a folder whose file system folds case.
#include "core/rFile/LetterCase.h"

#include "core/Formatted.h"
#include "core/rFile/RestoreMessages.h"

#include <gtest/gtest.h>

namespace arbolink {
namespace {

FileTable TableOf(const std::vector<std::pair<std::string, std::string>>& rows) {
    FileTable table;
    table.Allocate(rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        table.SetCell(Folder, row, rows[row].first);
        table.SetCell(Name, row, rows[row].second);
    }
    return table;
}

TEST(CaseClashes, FindsFilesAndFoldersThatMeetOnceEachAndWarnsOfThem) {
    const FileTable table = TableOf({
        {"", "A.txt"},
        {"Docs\\", "x.txt"},
        {"", "a.txt"},
        {"docs\\", "y.txt"},
        {"docs\\", "z.txt"},
        {"", "\xc3\x84.txt"},    // Ä
        {"", "\xc3\xa4.txt"},    // ä
        {"", "b.txt"},           // alone
        {"..\\", "outside.txt"}, // not restorable: left out
        {"", "A.TXT"},           // a third spelling of A.txt
    });
    const std::vector<CaseClash> clashes = FindCaseClashes(table, table.RowCount());
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const CaseClash& clash : clashes) {
        pairs.emplace_back(clash.first, clash.second);
    }
    EXPECT_EQ(pairs, (std::vector<std::pair<std::string, std::string>>{
                         {"A.txt", "a.txt"},
                         {"Docs", "docs"},
                         {"\xc3\x84.txt", "\xc3\xa4.txt"},
                         {"A.txt", "A.TXT"},
                     }));
    EXPECT_EQ(CaseClashWarning(clashes),
              Formatted(msg::kCaseClashes, 4) + "\n" +
                  Formatted(msg::kCaseClashAnd, "A.txt", "a.txt") + "\n" +
                  Formatted(msg::kCaseClashAnd, "Docs", "docs") + "\n" +
                  Formatted(msg::kCaseClashAnd, "\xc3\x84.txt", "\xc3\xa4.txt") + "\n" +
                  Formatted(msg::kCaseClashAnd, "A.txt", "A.TXT"));
    EXPECT_EQ(CaseClashWarning({}), "");
    EXPECT_TRUE(FindCaseClashes(TableOf({{"docs\\", "a"}, {"docs\\old\\", "a"}}), 2).empty());
}

} // namespace
} // namespace arbolink
