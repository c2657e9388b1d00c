// SPDX-License-Identifier: GPL-3.0-or-later
// Linux backend of the drive inspection: mounted file systems from mountinfo, device kinds
// from sysfs, space from statvfs.
#include "fs/Drives.h"

#include "fs/Burner.h"
#include "fs/DriveList.h"
#include "fs/Folders.h"
#include "fs/MountTable.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <sys/statvfs.h>
#include <utility>
#include <vector>

namespace arbolink {

namespace {

namespace stdfs = std::filesystem;

std::string& SystemRoot() {
    static std::string root;
    return root;
}

std::vector<MountEntry> CurrentMounts() {
    return ReadMountInfo(SystemRoot() + "/proc/self/mountinfo");
}

// The watches alive now, each with the mount points it remembers.
std::vector<const std::vector<std::string>*>& LiveWatches() {
    static std::vector<const std::vector<std::string>*> watches;
    return watches;
}

// The path with links, "." and ".." resolved as far as it exists, without a final "/";
// empty when the path is not absolute (it names no drive).
std::string AbsoluteForm(const std::string& path) {
    if (path.empty() || path[0] != '/') {
        return {};
    }
    std::error_code error;
    std::string absolute = stdfs::weakly_canonical(path, error).string();
    if (error) {
        absolute = stdfs::path(path).lexically_normal().string();
    }
    while (absolute.size() > 1 && absolute.back() == '/') {
        absolute.pop_back();
    }
    return absolute;
}

bool IsMountPoint(const std::vector<MountEntry>& table, const std::string& folder) {
    return std::any_of(table.begin(), table.end(),
                       [&](const MountEntry& entry) { return entry.mountPoint == folder; });
}

// True when a live watch remembers a mount point above the path that is mounted no more.
bool OnPulledVolume(const std::string& absolute) {
    std::vector<MountEntry> table;
    bool tableRead = false;
    for (const std::vector<std::string>* remembered : LiveWatches()) {
        for (const std::string& mountPoint : *remembered) {
            if (!IsAtOrBelow(absolute, mountPoint)) {
                continue;
            }
            if (!tableRead) {
                table = CurrentMounts();
                tableRead = true;
            }
            if (!IsMountPoint(table, mountPoint)) {
                return true;
            }
        }
    }
    return false;
}

// statvfs of the path or, when it does not exist yet, of its nearest existing folder.
bool StatNearestExisting(std::string path, struct statvfs& info) {
    for (;;) {
        if (statvfs(path.c_str(), &info) == 0) {
            return true;
        }
        if ((errno != ENOENT && errno != ENOTDIR) || path == "/") {
            return false;
        }
        path = stdfs::path(path).parent_path().string();
    }
}

std::uint64_t AllocationUnit(const struct statvfs& info) {
    return info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
}

// Free blocks for unprivileged users times the block size, limited to the 64-bit range.
std::int64_t FreeBytesOf(const struct statvfs& info) {
    std::uint64_t unit = AllocationUnit(info);
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (unit != 0 && info.f_bavail > kMax / unit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return static_cast<std::int64_t>(info.f_bavail * unit);
}

// The allocation unit as sectors of 512 bytes when it is a multiple of them, otherwise as one
// sector of the unit's size. False when the unit is not a usable 32-bit figure.
bool SplitAllocationUnit(std::uint64_t unit, std::int32_t& sectorsPerCluster,
                         std::int32_t& bytesPerSector) {
    constexpr std::uint64_t kSector = 512;
    if (unit == 0 || unit > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        return false;
    }
    bool whole = unit % kSector == 0;
    bytesPerSector = static_cast<std::int32_t>(whole ? kSector : unit);
    sectorsPerCluster = static_cast<std::int32_t>(whole ? unit / kSector : 1);
    return true;
}

std::string KindOfFileSystemType(const std::string& fsType) {
    static const std::vector<std::string> kRam = {"tmpfs", "ramfs"};
    static const std::vector<std::string> kNet = {
        "nfs",        "nfs4",      "cifs",  "smb3",        "smbfs",       "ncpfs",
        "9p",         "afs",       "ceph",  "coda",        "lustre",      "sshfs",
        "fuse.sshfs", "glusterfs", "davfs", "fuse.davfs2", "fuse.rclone", "fuse.glusterfs"};
    static const std::vector<std::string> kCd = {"iso9660", "udf"};
    auto in = [&](const std::vector<std::string>& names) {
        return std::find(names.begin(), names.end(), fsType) != names.end();
    };
    if (in(kRam)) {
        return "Ram";
    }
    if (in(kNet)) {
        return "Net";
    }
    return in(kCd) ? "CD" : "";
}

std::string FirstLineOf(const std::string& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string Resolved(const std::string& link) {
    std::error_code error;
    stdfs::path resolved = stdfs::canonical(link, error);
    return error ? std::string() : resolved.string();
}

// The sysfs folder of the mount's block device; empty when it is no block device. File
// systems such as btrfs report an anonymous device number, so the source is tried as well.
std::string DeviceFolderOf(const MountEntry& mount) {
    std::string sys = SystemRoot() + "/sys";
    std::string folder = Resolved(sys + "/dev/block/" + mount.device);
    if (folder.empty() && mount.source.rfind("/dev/", 0) == 0) {
        folder = Resolved(sys + "/class/block/" + stdfs::path(mount.source).filename().string());
    }
    return folder;
}

// A partition's folder lies inside its disk's folder.
std::string DiskFolderOf(const std::string& deviceFolder) {
    if (FileExists(deviceFolder + "/partition")) {
        return stdfs::path(deviceFolder).parent_path().string();
    }
    return deviceFolder;
}

// A mapped device (an encrypted or logical volume) takes the kind of the disk beneath it.
std::string UnderlyingDiskFolder(std::string disk) {
    for (int depth = 0; depth < 8; ++depth) {
        std::error_code error;
        stdfs::directory_iterator slaves(disk + "/slaves", error);
        if (error || slaves == stdfs::directory_iterator()) {
            break;
        }
        std::string lower = Resolved(slaves->path().string());
        if (lower.empty()) {
            break;
        }
        disk = DiskFolderOf(lower);
    }
    return disk;
}

bool SitsOnUsb(const std::string& diskFolder) {
    std::string devices = SystemRoot() + "/sys/devices/";
    if (diskFolder.rfind(devices, 0) != 0) {
        return false;
    }
    for (const stdfs::path& name : stdfs::path(diskFolder.substr(devices.size()))) {
        std::string text = name.string();
        if (text.size() > 3 && text.rfind("usb", 0) == 0 &&
            std::all_of(text.begin() + 3, text.end(),
                        [](char c) { return c >= '0' && c <= '9'; })) {
            return true;
        }
    }
    return false;
}

// An SD card in a built-in reader is not flagged removable; an eMMC ("MMC") is built in.
bool IsSdCard(const std::string& diskFolder) {
    return stdfs::path(diskFolder).filename().string().rfind("mmcblk", 0) == 0 &&
           FirstLineOf(diskFolder + "/device/type") == "SD";
}

std::string KindOfBlockDevice(const std::string& deviceFolder) {
    std::string disk = UnderlyingDiskFolder(DiskFolderOf(deviceFolder));
    if (stdfs::path(disk).filename().string().rfind("sr", 0) == 0) {
        return "CD";
    }
    if (FirstLineOf(disk + "/removable") == "1" || SitsOnUsb(disk) || IsSdCard(disk)) {
        return "Rem";
    }
    return "HDD";
}

std::string KindOfMount(const MountEntry& mount) {
    std::string kind = KindOfFileSystemType(mount.fsType);
    if (!kind.empty()) {
        return kind;
    }
    std::string deviceFolder = DeviceFolderOf(mount);
    return deviceFolder.empty() ? std::string() : KindOfBlockDevice(deviceFolder);
}

// The kernel's names of optical drives: "sr0", "sr1", ...
bool IsOpticalDeviceName(const std::string& name) {
    return name.size() > 2 && name.starts_with("sr") &&
           std::all_of(name.begin() + 2, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Whether the /dev path (through links such as "/dev/cdrom") is the device of an optical
// drive the kernel knows.
bool NamesOpticalDevice(const std::string& devicePath) {
    if (!devicePath.starts_with("/dev/")) {
        return false;
    }
    const stdfs::path resolved(Resolved(SystemRoot() + devicePath));
    const std::string name = resolved.filename().string();
    return resolved.parent_path() == stdfs::path(SystemRoot() + "/dev") &&
           IsOpticalDeviceName(name) && FolderExists(SystemRoot() + "/sys/class/block/" + name);
}

// The device name (the last part of its /dev path) that a mount's source stands for; a
// mapper name is a link to the device it names.
std::string DeviceNameOf(const MountEntry& mount) {
    if (mount.source.rfind("/dev/", 0) != 0) {
        return {};
    }
    std::string resolved = Resolved(SystemRoot() + mount.source);
    return stdfs::path(resolved.empty() ? mount.source : resolved).filename().string();
}

// Volume labels by device name, from the links that udev keeps in /dev/disk/by-label.
std::vector<std::pair<std::string, std::string>> LabelsByDevice() {
    std::vector<std::pair<std::string, std::string>> labels;
    std::error_code error;
    for (stdfs::directory_iterator link(SystemRoot() + "/dev/disk/by-label", error), end;
         !error && link != end; link.increment(error)) {
        stdfs::path target = stdfs::read_symlink(link->path(), error);
        if (!error) {
            labels.emplace_back(target.filename().string(),
                                DecodeUdevName(link->path().filename().string()));
        }
        error.clear();
    }
    return labels;
}

std::string LabelOf(const MountEntry& mount,
                    const std::vector<std::pair<std::string, std::string>>& labels) {
    std::string device = DeviceNameOf(mount);
    for (const auto& [name, label] : labels) {
        if (!device.empty() && name == device) {
            return label;
        }
    }
    return {};
}

} // namespace

std::vector<DriveEntry> ListDrives() {
    std::vector<std::pair<std::string, std::string>> labels = LabelsByDevice();
    std::vector<DriveEntry> drives;
    for (const MountEntry& mount : UserVolumes(CurrentMounts())) {
        const std::string deviceFolder = DeviceFolderOf(mount);
        drives.push_back({mount.mountPoint, LabelOf(mount, labels), KindOfMount(mount),
                          mount.source, mount.device,
                          deviceFolder.empty() ? std::string()
                                               : UnderlyingDiskFolder(DiskFolderOf(deviceFolder))});
    }
    return drives;
}

std::string GetDriveKind(const std::string& path) {
    std::string absolute = AbsoluteForm(path);
    if (absolute.empty()) {
        return "-";
    }
    std::vector<MountEntry> table = CurrentMounts();
    const MountEntry* mount = MountHolding(table, absolute);
    return mount == nullptr ? std::string() : KindOfMount(*mount);
}

std::string VolumeRootOf(const std::string& path) {
    std::string absolute = AbsoluteForm(path);
    if (absolute.empty()) {
        return {};
    }
    std::vector<MountEntry> table = CurrentMounts();
    const MountEntry* mount = MountHolding(table, absolute);
    return mount == nullptr ? std::string() : mount->mountPoint;
}

std::string OpticalDriveOf(const std::string& destination) {
    if (IsAbsoluteImageDrive(destination) || NamesOpticalDevice(destination)) {
        return destination;
    }
    const std::string absolute = AbsoluteForm(destination);
    if (absolute.empty()) {
        return {};
    }
    const std::vector<MountEntry> table = CurrentMounts();
    const MountEntry* mount = MountHolding(table, absolute);
    // A disc mounted writable (packet writing) is written as any folder.
    if (mount == nullptr || !NamesOpticalDevice(mount->source) || DriveFreeBytes(absolute) != 0) {
        return {};
    }
    return mount->source;
}

std::vector<std::string> ListOpticalDrives() {
    std::vector<std::string> drives;
    std::error_code error;
    for (stdfs::directory_iterator entry(SystemRoot() + "/sys/class/block", error), end;
         !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (IsOpticalDeviceName(name)) {
            drives.push_back("/dev/" + name);
        }
    }
    std::sort(drives.begin(), drives.end());
    return drives;
}

std::int64_t DriveFreeBytes(const std::string& path) {
    std::string absolute = AbsoluteForm(path);
    struct statvfs info {};
    if (absolute.empty() || OnPulledVolume(absolute) || !StatNearestExisting(absolute, info)) {
        return -1;
    }
    return FreeBytesOf(info);
}

bool IsFolderReady(const std::string& folder) {
    return FolderExists(folder) && DriveFreeBytes(folder) != -1;
}

bool GetDriveSpace(const std::string& folder, std::int32_t& sectorsPerCluster,
                   std::int32_t& bytesPerSector, std::int64_t& freeBytes) {
    sectorsPerCluster = -1;
    bytesPerSector = -1;
    freeBytes = -1;
    std::string absolute = AbsoluteForm(folder);
    struct statvfs info {};
    if (absolute.empty() || OnPulledVolume(absolute) || statvfs(absolute.c_str(), &info) != 0) {
        return false;
    }
    freeBytes = FreeBytesOf(info);
    return SplitAllocationUnit(AllocationUnit(info), sectorsPerCluster, bytesPerSector);
}

VolumeWatch::VolumeWatch() {
    LiveWatches().push_back(&mountPoints_);
}

VolumeWatch::~VolumeWatch() {
    auto& watches = LiveWatches();
    watches.erase(std::remove(watches.begin(), watches.end(), &mountPoints_), watches.end());
}

void VolumeWatch::Remember(const std::string& path) {
    std::string absolute = AbsoluteForm(path);
    if (absolute.empty()) {
        return;
    }
    std::vector<MountEntry> table = CurrentMounts();
    const MountEntry* mount = MountHolding(table, absolute);
    if (mount != nullptr && std::find(mountPoints_.begin(), mountPoints_.end(),
                                      mount->mountPoint) == mountPoints_.end()) {
        mountPoints_.push_back(mount->mountPoint);
    }
}

void SetDriveSystemRoot(const std::string& root) {
    SystemRoot() = root;
}

} // namespace arbolink
