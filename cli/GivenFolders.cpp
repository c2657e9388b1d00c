// SPDX-License-Identifier: GPL-3.0-or-later
#include "GivenFolders.h"

#include "core/SetFormat.h"
#include "fs/Folders.h"

namespace arbolink::cli {

namespace {

bool HoldsSetFile(const std::string& prefix) {
    return FileExists(prefix + kIdentityFileName) || FileExists(prefix + kIndexFileName);
}

} // namespace

std::string SetFolderOf(const std::string& folder) {
    const std::string prefix = AddBackslash(folder);
    const std::string dummy = AddBackslash(prefix + kDummyFolderName);
    return !HoldsSetFile(prefix) && HoldsSetFile(dummy) ? dummy : prefix;
}

bool IsRecoveryDisk(const std::string& folder) {
    const std::string set = SetFolderOf(folder);
    return FileExists(set + kRecoveryHeaderName) && !FileExists(set + kIdentityFileName);
}

GivenFolders::GivenFolders(std::vector<std::string> folders) {
    for (std::string& folder : folders) {
        if (IsRecoveryDisk(folder)) {
            recovery_.push_back(SetFolderOf(folder));
        } else {
            folders_.push_back(std::move(folder));
        }
    }
}

std::string GivenFolders::Folder(std::int32_t n) {
    if (n < 1 || static_cast<std::size_t>(n) > folders_.size()) {
        return {};
    }
    return SetFolderOf(folders_[static_cast<std::size_t>(n) - 1]);
}

} // namespace arbolink::cli
