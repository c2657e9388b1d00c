// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The restore run: reads the index and identity of the disk in the drive, creates the folder
// tree below the restore folder, then takes the disks of the set in any order, refusing a disk
// of another set or one already restored, and copies each disk's files back to their own
// folders under their own names behind a progress dialog. Ends with one closing message.

#include "core/DiskSupplier.h"
#include "core/Host.h"
#include "core/Session.h"

namespace arbolink {

// Reads the disks from the folder in the split destination field and restores into the
// restore destination field. The file table is refilled from the first disk's index and
// kept afterwards. Given a supplier, the disks are its folders instead, read in their order
// without a question between them.
void RestoreDisks(Session& session, Host& host, DiskSupplier* disks = nullptr);

} // namespace arbolink
