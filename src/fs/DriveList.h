// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which mounted file systems the folder tree shows as the computer's drives, and how their
// names are read. The kernel mounts many file systems of its own (proc, sysfs, cgroups,
// container layers, snap images) that no user would call a drive.

#include "fs/MountTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace arbolink {

// True for the root file system and for every mount a user would recognise as a volume:
// fixed and removable disks, optical discs, network shares and RAM disks outside the
// system's own folders.
bool IsUserVolume(const MountEntry& mount);

// A name as udev writes it into /dev/disk/by-label, with its "\xHH" escapes decoded.
std::string DecodeUdevName(std::string_view name);

// The mounts of the table that IsUserVolume accepts, one per mount point (the entry mounted
// last, which hides the others), "/" first and then in the order of their mount points.
std::vector<MountEntry> UserVolumes(const std::vector<MountEntry>& table);

} // namespace arbolink
