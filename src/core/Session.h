// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What lives for the whole run of the program and the commands share: the planning values
// (the file table among them), the share of free space a disk may be filled to, and the
// folder that emptying must keep.

#include "core/PlanningValues.h"
#include "fs/MediaWatch.h"

#include <cstdint>
#include <string>

namespace arbolink {

struct Session {
    PlanningValues values;
    std::int32_t FreeSpacePercent = 95; // 0 to 100 through the options dialog
    std::string EmptyingFolder;         // the destination being emptied; it stays itself
    bool VerifyAfterWrite = true;       // each written disk is read back and checked
    // The media watcher the runs follow a drive's disks with; null: the disk folder stays put.
    MediaWatcher* Media = nullptr;
    bool EjectWritten = true; // a disk written and checked is ejected through the watcher
    Packing DiskPacking = Packing::InOrder;
    // Recovery disks a divide writes after the data disks, 0 to kMaxRecoveryDisks; any of
    // that many lost disks of the set can then be rebuilt.
    int RecoveryDisks = 0;
    // What the divide's disks are: folders, or the images of optical discs it burns.
    MediumKind DiskMedium = MediumKind::Folder;
    // The folder of the recovery parity's working files; empty: the user's cache folder.
    std::string RecoveryCache;
};

} // namespace arbolink
