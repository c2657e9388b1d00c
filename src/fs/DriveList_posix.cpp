// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/DriveList.h"

#include "fs/Encoding.h"

#include <algorithm>
#include <array>

namespace arbolink {

namespace {

constexpr std::array<std::string_view, 30> kSystemTypes = {
    "proc",       "sysfs",       "cgroup",        "cgroup2",         "devpts",     "devtmpfs",
    "mqueue",     "hugetlbfs",   "debugfs",       "tracefs",         "securityfs", "pstore",
    "bpf",        "configfs",    "fusectl",       "binfmt_misc",     "autofs",     "efivarfs",
    "rpc_pipefs", "nfsd",        "nsfs",          "selinuxfs",       "overlay",    "squashfs",
    "fuse.lxcfs", "fuse.portal", "fuse.snapfuse", "fuse.gvfsd-fuse", "ramfs",      "erofs"};

// Folders whose mounts belong to the system; removable media mounted by udisks below
// /run/media are the exception.
constexpr std::array<std::string_view, 10> kSystemFolders = {
    "/proc", "/sys", "/dev", "/run", "/snap", "/boot", "/efi", "/var/lib", "/var/snap", "/var/run"};
constexpr std::array<std::string_view, 2> kSystemMountPoints = {"/tmp", "/var/tmp"};

bool Contains(auto const& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool InSystemFolder(const std::string& mountPoint) {
    if (IsAtOrBelow(mountPoint, "/run/media") && mountPoint != "/run/media") {
        return false;
    }
    return Contains(kSystemMountPoints, mountPoint) ||
           std::any_of(kSystemFolders.begin(), kSystemFolders.end(),
                       [&](std::string_view f) { return IsAtOrBelow(mountPoint, std::string(f)); });
}

} // namespace

bool IsUserVolume(const MountEntry& mount) {
    if (mount.mountPoint == "/") {
        return true;
    }
    return !Contains(kSystemTypes, mount.fsType) && !InSystemFolder(mount.mountPoint);
}

std::string DecodeUdevName(std::string_view name) {
    std::string decoded;
    decoded.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
            HexDigitValue(name[i + 2]) >= 0 && HexDigitValue(name[i + 3]) >= 0) {
            decoded.push_back(
                static_cast<char>(HexDigitValue(name[i + 2]) * 16 + HexDigitValue(name[i + 3])));
            i += 3;
        } else {
            decoded.push_back(name[i]);
        }
    }
    return decoded;
}

std::vector<MountEntry> UserVolumes(const std::vector<MountEntry>& table) {
    std::vector<MountEntry> volumes;
    for (auto it = table.rbegin(); it != table.rend(); ++it) {
        bool hidden = std::any_of(volumes.begin(), volumes.end(), [&](const MountEntry& shown) {
            return shown.mountPoint == it->mountPoint;
        });
        // An entry mounted over another hides it even when only the hidden one is a volume.
        if (!hidden) {
            volumes.push_back(*it);
        }
    }
    volumes.erase(std::remove_if(volumes.begin(), volumes.end(),
                                 [](const MountEntry& m) { return !IsUserVolume(m); }),
                  volumes.end());
    std::sort(volumes.begin(), volumes.end(),
              [](const MountEntry& a, const MountEntry& b) { return a.mountPoint < b.mountPoint; });
    return volumes;
}

} // namespace arbolink
