#pragma once
// Writing the two set files of a disk. Each file is written under a temporary name and then
// renamed, so it is never left half-written under its own name. A file that cannot be
// written gets a beep and "このディスクは使えません\n\n確認してください".

#include "core/Host.h"
#include "core/PlanningValues.h"

#include <cstdint>
#include <string>

namespace arbolink {

// Writes "_index.@txt" into the disk folder: one line per file row, in table order.
bool WriteIndexFile(const std::string& diskFolder, const PlanningValues& values, Host& host);

// Writes "_Disk.@ID" into the disk folder.
bool WriteIdentityFile(const std::string& diskFolder, const std::string& setId, std::int32_t disk,
                       std::int32_t diskCount, Host& host);

} // namespace arbolink
