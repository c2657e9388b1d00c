#pragma once
// The restore command (BitBtn3, menu item N2, Ctrl+R): checks the folder the disks are read
// from and the restore destination, refuses a CD-ROM destination, asks what to do with a
// destination that already holds something, and starts the restore run.

#include "core/Host.h"
#include "core/Session.h"

namespace arbolink {

void BitBtn3Click(Session& session, Host& host);

} // namespace arbolink
