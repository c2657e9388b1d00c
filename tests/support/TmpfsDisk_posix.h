// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small tmpfs file system standing in for a removable disk: mounted at a folder, and
// swapped for a fresh one as a user swaps disks. Needs the right to mount (root).

#include <cstdint>
#include <string>

namespace arbolink::test {

class TmpfsDisk {
public:
    // Does not mount yet; the folder must exist.
    TmpfsDisk(std::string mountPoint, std::int64_t kibibytes);
    ~TmpfsDisk();
    TmpfsDisk(const TmpfsDisk&) = delete;
    TmpfsDisk& operator=(const TmpfsDisk&) = delete;

    // Mounts a fresh, empty disk; false (with the reason in error()) when mounting fails.
    bool Insert();
    // Unmounts the disk in the drive, if any; its contents are gone.
    void Eject();
    // Ejects and inserts a fresh disk.
    bool Swap();
    bool inserted() const { return inserted_; }
    const std::string& error() const { return error_; }

private:
    std::string mountPoint_;
    std::int64_t kibibytes_;
    bool inserted_ = false;
    std::string error_;
};

} // namespace arbolink::test
