// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds planning values by hand, so that disk assignment can be tested without a walk.

#include "core/PlanningValues.h"
#include "core/divide/Planning.h"
#include "core/divide/PlanningRun.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

#include <memory>
#include <string>
#include <vector>

namespace arbolink::test {

struct RowSpec {
    std::string folder;
    std::string name;
    std::int64_t size;
};

// Planning values holding these file rows and an empty program row.
inline PlanningValues ValuesWith(const std::vector<RowSpec>& rows, std::int32_t clusterSize = 512) {
    PlanningValues values;
    values.ClusterSize = clusterSize;
    values.FileCount = static_cast<std::int64_t>(rows.size());
    values.Table.Allocate(rows.size() + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        values.Table.SetCell(Folder, i, rows[i].folder);
        values.Table.SetCell(Name, i, rows[i].name);
        values.Table.SetCell(StoredName, i, rows[i].name);
        values.Table.SetNumber(Size, i, rows[i].size);
    }
    return values;
}

// A planning run over the values with a scripted Host and its progress dialog.
class RunFixture {
public:
    explicit RunFixture(PlanningValues& values)
        : dialog_(host.CreateProgressDialog()), run{values, host, *dialog_} {}
    ScriptedHost host;

private:
    std::unique_ptr<ProgressDialog> dialog_;

public:
    PlanningRun run;
    ProgressRecord& record() { return *host.progress.back(); }
};

// The column's file rows as text: numbers in decimal, a Disk still 0 as "".
inline std::vector<std::string> Column(const PlanningValues& values, arbolink::Column column) {
    std::vector<std::string> cells;
    for (std::int64_t row = 0; row < values.FileCount; ++row) {
        const auto r = static_cast<std::size_t>(row);
        if (column == Size || column == Disk) {
            const std::int64_t number = values.Table.Number(column, r);
            cells.push_back(column == Disk && number == 0 ? "" : std::to_string(number));
        } else {
            cells.push_back(values.Table.Cell(column, r));
        }
    }
    return cells;
}

// A plan of the source onto a stick with 512-byte clusters.
inline PlanRequest RequestFor(const TempFolder& source, std::int64_t capacity) {
    PlanRequest request;
    request.source = source.path();
    request.destination = "/media/stick";
    request.clusterSize = 512;
    request.capacity = capacity;
    return request;
}

} // namespace arbolink::test
