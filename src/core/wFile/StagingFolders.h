// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The disks of a staging divide: disk n is written into DIR/disk01, DIR/disk02, ... Each such
// folder is the whole content of one disk, to be burnt or copied to the root of a medium; the
// set lies in its "@dummy@" folder, where a set written to the root of a disk always lies.

#include "core/DiskSupplier.h"

#include <string>

namespace arbolink {

class StagingFolders : public DiskSupplier {
public:
    explicit StagingFolders(std::string folder) : folder_(std::move(folder)) {}

    // DIR/diskNN/@dummy@/, NN of two digits at least.
    std::string Folder(std::int32_t n) override;

    // DIR/diskNN: the folder that stands for the disk itself.
    std::string DiskRoot(std::int32_t n) const;

private:
    std::string folder_;
};

} // namespace arbolink
