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

class GivenFolders : public DiskSupplier {
public:
    explicit GivenFolders(std::vector<std::string> folders) : folders_(std::move(folders)) {}

    // SetFolderOf the n-th folder given; empty after the last.
    std::string Folder(std::int32_t n) override;

private:
    std::vector<std::string> folders_;
};

} // namespace arbolink::cli
