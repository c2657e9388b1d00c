// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing the two set files of a disk. Each file is written under a temporary name and then
// renamed, so it is never left half-written under its own name. Both answer false when the
// file cannot be written; the split run then asks whether to try the disk again.

#include "core/PlanningValues.h"

#include <cstdint>
#include <string>

namespace arbolink {

// The bytes of "_index.@txt": one line per file row, in table order. Every disk of a set
// holds the same index, so a run that writes many disks makes them once.
std::string IndexFileBytes(const PlanningValues& values);

// Writes "_index.@txt" into the disk folder, from the rows or from bytes made above.
bool WriteIndexFile(const std::string& diskFolder, const PlanningValues& values);
bool WriteIndexFile(const std::string& diskFolder, const std::string& bytes);

// Writes "_Disk.@ID" into the disk folder.
bool WriteIdentityFile(const std::string& diskFolder, const std::string& setId, std::int32_t disk,
                       std::int32_t diskCount);

} // namespace arbolink
