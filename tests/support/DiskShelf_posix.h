// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Removable disks for end-to-end tests: small tmpfs file systems, each mounted in a folder of
// its own on a shelf, one at a time bound into the drive folder as a user puts a disk into a
// drive. A disk keeps its contents while it is out, so a test can put it back, read it again
// or look at what was written to it. Needs the right to mount (root).

#include <cstdint>
#include <string>
#include <vector>

namespace arbolink::test {

class DiskShelf {
public:
    // The shelf and the drive go below folder, which must exist. Nothing is mounted yet.
    DiskShelf(const std::string& folder, std::int64_t kibibytes);
    ~DiskShelf();
    DiskShelf(const DiskShelf&) = delete;
    DiskShelf& operator=(const DiskShelf&) = delete;

    // Puts a fresh, empty disk on the shelf; its number is count(). False (the reason in
    // error()) when it cannot be mounted.
    bool AddDisk();
    // Takes the disk in the drive out and puts disk (1 to count()) in.
    bool Insert(int disk);
    void Eject();

    int count() const { return static_cast<int>(disks_.size()); }
    // The disk in the drive, 0 when the drive is empty.
    int inserted() const { return inserted_; }
    // The drive: the folder a command is pointed at. Without a disk it is an empty folder.
    const std::string& drive() const { return drive_; }
    // Where disk (1 to count()) can be read while it is out of the drive.
    const std::string& DiskPath(int disk) const {
        return disks_.at(static_cast<std::size_t>(disk - 1));
    }
    const std::string& error() const { return error_; }

private:
    std::string shelf_;
    std::string drive_;
    std::int64_t kibibytes_;
    std::vector<std::string> disks_;
    int inserted_ = 0;
    std::string error_;
};

} // namespace arbolink::test
