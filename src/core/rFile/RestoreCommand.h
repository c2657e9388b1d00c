// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The restore command (BitBtn3, menu item N2, Ctrl+R): checks the restore destination (a
// CD-ROM destination is refused) and then the folder the disks are read from, asks what to do
// with a destination that already holds something, and starts the restore run.

#include "core/Host.h"
#include "core/Session.h"

#include <string>

namespace arbolink {

void BitBtn3Click(Session& session, Host& host);

// The command's checks of the restore destination before any disk is asked for: its field
// must be set, a CD without free space is refused, its drive must answer and a missing folder
// is created on the user's Yes. A path that is a file, a folder that could not be created and
// one that takes no files (a read-only disk) end with a message naming it. True when the
// restore may go on.
bool CheckRestoreFolder(Host& host, const std::string& folder, const std::string& kind);

// The command's step for a destination that already holds something, by the kind of its
// drive: on a removable disk it may be emptied (or everything is overwritten); on any other
// kind (hard disk, network, RAM disk ...) the user may only go on, writing over what is
// there. False when the user chose Abort.
bool SettleRestoreDestination(Session& session, Host& host, const std::string& folder,
                              const std::string& kind);

} // namespace arbolink
