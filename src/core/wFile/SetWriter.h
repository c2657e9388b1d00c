#pragma once
// Writing the two set files of a disk. Each file is written under a temporary name and then
// renamed, so it is never left half-written under its own name. Both answer false when the
// file cannot be written; the split run then asks whether to try the disk again.

#include "core/PlanningValues.h"

#include <cstdint>
#include <string>

namespace arbolink {

// Writes "_index.@txt" into the disk folder: one line per file row, in table order.
bool WriteIndexFile(const std::string& diskFolder, const PlanningValues& values);

// Writes "_Disk.@ID" into the disk folder.
bool WriteIdentityFile(const std::string& diskFolder, const std::string& setId, std::int32_t disk,
                       std::int32_t diskCount);

} // namespace arbolink
