// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The end of a restore that left files behind, when the set has recovery disks: the files are
// made again from the disks at hand and put in their places like the restored ones.

#include "core/DiskSupplier.h"
#include "core/Host.h"
#include "core/recovery/LostFiles.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace arbolink {

struct LossRebuildRequest {
    std::string setId;
    std::size_t rowCount = 0;      // rows of the set's index
    std::vector<std::size_t> lost; // rows not restored, in index order
    std::string recoveryFolder;    // a recovery disk of the set already met
    std::string cache;             // the folder of the files being made; empty: the user's cache
    // The disks are the supplier's folders, each read once; null: the disk in the drive's
    // folder, driveFolder, with askForDisk asking for another one (false: no more disks).
    DiskSupplier* disks = nullptr;
    std::string driveFolder;
    std::function<bool(const std::string& question)> askForDisk;
    // Puts the made file at path in the row's place; false when the user chose Abort there.
    // Told the progress dialog the rebuild shows.
    std::function<bool(std::size_t row, const std::string& path, ProgressDialog& dialog)> place;
};

struct LossRebuildOutcome {
    std::vector<std::size_t> made;  // rows put back
    std::vector<UnmadeFile> unmade; // rows given up, with why
    bool aborted = false;           // Abort or Cancel ended it
};

// Reads the header and map of the recovery disk met, then every disk of the set that helps,
// with a progress dialog, and makes the lost files. A failure that ends it before any file is
// made (a recovery disk that does not fit the index, a cache without room) is told the user
// and leaves every lost row unmade with that reason.
LossRebuildOutcome RebuildLostFiles(Host& host, const LossRebuildRequest& request);

// Whether the folder (a folder prefix) holds a recovery disk of the set.
bool IsRecoveryDiskOf(const std::string& folder, const std::string& setId);

} // namespace arbolink
