// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The disks of a restore given as folders (--from), read in the order given.

#include "core/DiskSupplier.h"

#include <string>
#include <vector>

namespace arbolink::cli {

// The folder of a disk's set: the folder itself when it holds a set file, else its
// "@dummy@" folder when that does (a disk root, or a staging divide's diskNN), else the
// folder itself, where the run then tells that the set files are missing. As a folder prefix.
std::string SetFolderOf(const std::string& folder);

// Whether the folder holds a recovery disk: its set folder has a recovery header and no
// identity file.
bool IsRecoveryDisk(const std::string& folder);

// The data disks among the folders; a recovery disk given with them is kept apart, as it holds
// no files of the set to read, only what makes lost ones again.
class GivenFolders : public DiskSupplier {
public:
    explicit GivenFolders(std::vector<std::string> folders);

    // SetFolderOf the n-th folder given; empty after the last.
    std::string Folder(std::int32_t n) override;
    std::vector<std::string> RecoveryFolders() override { return recovery_; }

private:
    std::vector<std::string> folders_;
    std::vector<std::string> recovery_; // as set folders
};

} // namespace arbolink::cli
