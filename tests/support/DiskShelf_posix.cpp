// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DiskShelf_posix.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sched.h>
#include <sys/mount.h>

namespace arbolink::test {

namespace {

// Moves the process into a mount namespace of its own, once: its mounts then go away with it,
// also when a test is killed before it could unmount. Where that is not allowed the disks are
// mounted where everyone sees them, and the destructor unmounts them.
void KeepMountsPrivate() {
    static const bool done = [] {
        return unshare(CLONE_NEWNS) == 0 &&
               mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }();
    (void)done;
}

} // namespace

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
