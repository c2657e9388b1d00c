// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The source inventory: a counting walk that fixes the number of file rows and a filling walk
// that writes them in walk order (depth first, in the order the file system lists entries).
//
// Only what a set can carry and give back gets a row: regular files and links to regular
// files, under names the index can hold. Everything else is noted in Skipped by the filling
// walk, so that the user is told what will be missing.

#include "core/divide/PlanningRun.h"

#include <cstdint>
#include <string>

namespace arbolink {

// Adds the number of carried files below the folder (a folder prefix) to FileCount, and keeps
// each folder's listing in Counted for the filling walk.
void CountFiles(PlanningValues& values, const std::string& folder);

// Sets every cell of rows 0 to rows - 1 to the empty string.
void ClearFileTable(PlanningValues& values, std::int64_t rows);

// Writes the file rows of everything below the folder (SourceRoot or a folder below it).
// rowIndex is the index of the last row written, -1 before the first. Stops when RunStatus
// becomes 0 (more files than counted, after the warning) or 1 (Cancel). A folder unchanged
// since the counting walk is not listed again: its counted listing is taken up, with the
// files' sizes read now; every other folder is listed anew. Empties Counted.
void FillFileTable(PlanningRun& run, const std::string& folder, std::int64_t step,
                   std::int64_t& rowIndex);

// Fills row FileCount from the program's own file; leaves it empty when the file is missing.
void AddProgramRow(PlanningValues& values);

} // namespace arbolink
