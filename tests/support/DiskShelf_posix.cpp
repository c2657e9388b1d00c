// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DiskShelf_posix.h"

#include "support/PrivateMounts_posix.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/mount.h>

namespace arbolink::test {

DiskShelf::DiskShelf(const std::string& folder, std::int64_t kibibytes)
    : shelf_(folder + "/shelf"), drive_(folder + "/drive"), kibibytes_(kibibytes) {
    KeepMountsPrivate();
    std::filesystem::create_directories(shelf_);
    std::filesystem::create_directories(drive_);
}

DiskShelf::~DiskShelf() {
    Eject();
    for (const std::string& disk : disks_) {
        umount2(disk.c_str(), MNT_DETACH);
    }
}

bool DiskShelf::AddDisk() {
    const std::string disk = shelf_ + "/disk" + std::to_string(disks_.size() + 1);
    std::filesystem::create_directories(disk);
    const std::string options = "size=" + std::to_string(kibibytes_) + "k,mode=0777";
    if (mount("tmpfs", disk.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        error_ = std::string("cannot mount a tmpfs disk: ") + std::strerror(errno);
        return false;
    }
    disks_.push_back(disk);
    return true;
}

bool DiskShelf::Insert(int disk) {
    Eject();
    if (mount(DiskPath(disk).c_str(), drive_.c_str(), nullptr, MS_BIND, nullptr) != 0) {
        error_ = std::string("cannot put the disk into the drive: ") + std::strerror(errno);
        return false;
    }
    inserted_ = disk;
    return true;
}

void DiskShelf::Eject() {
    if (inserted_ != 0) {
        umount2(drive_.c_str(), MNT_DETACH);
        inserted_ = 0;
    }
}

} // namespace arbolink::test
