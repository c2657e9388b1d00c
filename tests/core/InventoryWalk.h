// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The inventory's count, allocation and filling walk over a temporary source folder.

#include "PlanningTestSupport.h"
#include "core/Progress.h"
#include "core/divide/Inventory.h"
#include "fs/Folders.h"
#include "support/TempFolder.h"

#include <string>
#include <vector>

namespace arbolink::test {

// Runs the count, allocation and filling walk the way the planning does.
struct Walk {
    explicit Walk(const TempFolder& source) {
        values.SourceRoot = AddBackslash(source.path());
        CountFiles(values, values.SourceRoot);
        values.Table.Allocate(static_cast<std::size_t>(values.FileCount) + 1);
        values.RunStatus = kRunning;
    }
    void Fill(RunFixture& fixture) {
        FillFileTable(fixture.run, values.SourceRoot, ProgressStepFor(values.FileCount), rowIndex);
    }
    // "folder|name|size" of every row written.
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (std::int64_t r = 0; r <= rowIndex; ++r) {
            auto i = static_cast<std::size_t>(r);
            rows.push_back(values.Table.Cell(Folder, i) + "|" + values.Table.Cell(Name, i) + "|" +
                           std::to_string(values.Table.Number(Size, i)));
        }
        return rows;
    }
    PlanningValues values;
    std::int64_t rowIndex = -1;
};

} // namespace arbolink::test
