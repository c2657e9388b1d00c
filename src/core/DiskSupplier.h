// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Disks that are folders side by side instead of media swapped in one drive: a staging area
// whose disks are burnt or uploaded later, or copies of a set's disks gathered in one place.
// A run given a supplier takes its disks from it and never asks the user to insert one.

#include <cstdint>
#include <string>
#include <vector>

namespace arbolink {

// How a supplier's work on a disk the split run has finished ended.
enum class SupplierEnd {
    GoOn,      // the disk is done: the run takes the next
    Cancelled, // the user cancelled: the run ends as cancelled
    Aborted,   // the user gave up: the run ends at once, without a closing message
};

class DiskSupplier {
public:
    virtual ~DiskSupplier() = default;

    // The disk folder (a folder prefix) of the n-th disk, n counting from 1. The split run
    // writes disk n of the set there; the restore run reads the n-th folder, whichever disk
    // of the set it holds. Empty when there is no n-th disk.
    virtual std::string Folder(std::int32_t n) = 0;

    // The recovery disks among the folders (folder prefixes), which Folder leaves out: a
    // restore makes the files it could not read again from them.
    virtual std::vector<std::string> RecoveryFolders() { return {}; }

    // Told by the split run once disk n (a data disk, or a recovery disk after them) is
    // written into Folder(n) and read back: a supplier that carries the folder on to a medium
    // of its own (a disc it burns) does so here.
    virtual SupplierEnd DiskWritten(std::int32_t /*n*/) { return SupplierEnd::GoOn; }
};

} // namespace arbolink
