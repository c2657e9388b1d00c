// SPDX-License-Identifier: GPL-3.0-or-later
// The mount-table backend of the media watcher, and the choice of backend on Linux.
#include "fs/MediaWatch.h"

#include "fs/Drives.h"
#include "fs/MountTable.h"

#include <sys/statvfs.h>

namespace arbolink {

namespace {

std::int64_t SizeOf(const std::string& mountPoint) {
    struct statvfs info {};
    if (statvfs(mountPoint.c_str(), &info) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(info.f_blocks) * static_cast<std::int64_t>(info.f_frsize);
}

// Sees the volumes the drive list shows: a medium is in exactly while it is mounted.
class MountTableWatcher : public MediaWatcher {
public:
    MountTableWatcher() { Start(); }

protected:
    std::vector<Medium> Look() override {
        std::vector<Medium> media;
        for (const DriveEntry& drive : ListDrives()) {
            if (drive.root == "/") {
                continue;
            }
            // A fresh mount at the same folder is another medium: its device number differs.
            media.push_back({drive.deviceNumber + " " + drive.root, drive.source, drive.slot,
                             drive.root, drive.label, SizeOf(drive.root), drive.kind});
        }
        return media;
    }
};

} // namespace

bool MountPointHolds(const std::string& mountPoint, const std::string& path) {
    return IsAtOrBelow(path, mountPoint);
}

std::unique_ptr<MediaWatcher> OpenMountTableWatcher() {
    return std::make_unique<MountTableWatcher>();
}

std::unique_ptr<MediaWatcher> OpenMediaWatcher() {
    if (std::unique_ptr<MediaWatcher> udisks = OpenUDisks2Watcher({})) {
        return udisks;
    }
    return OpenMountTableWatcher();
}

} // namespace arbolink
