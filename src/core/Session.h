// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What lives for the whole run of the program and the commands share: the planning values
// (the file table among them), the share of free space a disk may be filled to, and the
// folder that emptying must keep.

#include "core/PlanningValues.h"

#include <cstdint>
#include <string>

namespace arbolink {

struct Session {
    PlanningValues values;
    std::int32_t FreeSpacePercent = 95; // 0 to 100 through the options dialog
    std::string EmptyingFolder;         // the destination being emptied; it stays itself
    bool VerifyAfterWrite = true;       // each written disk is read back and checked
    Packing DiskPacking = Packing::InOrder;
};

} // namespace arbolink
