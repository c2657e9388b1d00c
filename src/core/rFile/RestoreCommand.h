#pragma once
// The restore command (BitBtn3, menu item N2, Ctrl+R): checks the folder the disks are read
// from and the restore destination, refuses a CD-ROM destination, asks what to do with a
// destination that already holds something, and starts the restore run.

#include "core/Host.h"
#include "core/Session.h"

#include <string>

namespace arbolink {

void BitBtn3Click(Session& session, Host& host);

// The command's step for a destination that already holds something, by the kind of its
// drive: on a removable disk it may be emptied (or everything is overwritten), on a hard disk
// the user may only go on; other kinds go on without a question. False when the user chose
// Abort.
bool SettleRestoreDestination(Session& session, Host& host, const std::string& folder,
                              const std::string& kind);

} // namespace arbolink
