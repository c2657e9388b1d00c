// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fake /proc/self/mountinfo and /sys under a temporary folder, so that every kind of drive
// can be described without the device. The mount points are real folders below the same
// temporary folder, so that space queries on them answer.

#include "support/TempFolder.h"

#include <string>

namespace arbolink::test {

class FakeDriveTree {
public:
    // Points the drive inspection at the fake tree, which starts with "/" on a fixed disk.
    FakeDriveTree();
    // Points the drive inspection back at the real system.
    ~FakeDriveTree();
    FakeDriveTree(const FakeDriveTree&) = delete;
    FakeDriveTree& operator=(const FakeDriveTree&) = delete;

    // Creates the sysfs folder of a disk below /sys/devices (devicePath ends in block/<disk>)
    // with its removable flag, and links the device number to it.
    void AddDisk(const std::string& devicePath, const std::string& number, bool removable);
    // Creates the folder of a partition inside its disk's folder and links its number.
    void AddPartition(const std::string& devicePath, const std::string& name,
                      const std::string& number);
    // Writes a file below /sys/devices (an attribute such as an MMC card's "type").
    void AddDeviceFile(const std::string& relative, const std::string& contents);
    // Creates a link below /sys/devices pointing at target (relative to the link's folder).
    void AddDeviceLink(const std::string& relative, const std::string& target);
    // Creates the device file /dev/<name>, or a link there to target (a name beside it).
    void AddDeviceNode(const std::string& name, const std::string& target = "");
    // An optical drive: its disk's folder (devicePath ends in block/srN), its /sys/class/block
    // entry and its /dev entry.
    void AddOpticalDrive(const std::string& devicePath, const std::string& number);
    // Creates the udev link /dev/disk/by-label/<escapedLabel> to the device name.
    void AddLabel(const std::string& escapedLabel, const std::string& deviceName);
    // Adds a mount entry; mountName is the folder below mounts(), written to the table with
    // the kernel's escapes. Answers the mount point's path.
    std::string Mount(const std::string& mountName, const std::string& number,
                      const std::string& fsType, const std::string& source);
    // Removes the mount entries whose mount point is the given path.
    void Unmount(const std::string& mountPoint);

    // The folder that holds the mount points.
    std::string mounts() const { return folder_ / "mnt"; }

private:
    void WriteMountInfo() const;
    void Link(const std::string& linkRelative, const std::string& target) const;

    TempFolder folder_;
    std::string lines_;
};

} // namespace arbolink::test
