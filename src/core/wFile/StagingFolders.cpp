// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/wFile/StagingFolders.h"

#include "core/SetFormat.h"
#include "fs/Folders.h"

#include <cstdio>

namespace arbolink {

std::string StagingFolders::DiskRoot(std::int32_t n) const {
    char name[24];
    std::snprintf(name, sizeof name, "disk%02d", static_cast<int>(n));
    return AddBackslash(folder_) + name;
}

std::string StagingFolders::Folder(std::int32_t n) {
    return AddBackslash(AddBackslash(DiskRoot(n)) + kDummyFolderName);
}

} // namespace arbolink
