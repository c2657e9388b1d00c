// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A mount table of the test process's own, so that the disks one test mounts are never seen by
// another test running beside it (a media watcher would take them for the disk it waits for).

namespace arbolink::test {

// Moves the process into a mount namespace of its own, once: its mounts then go away with it,
// also when a test is killed before it could unmount. Where that is not allowed the disks are
// mounted where everyone sees them, and the tests unmount them.
void KeepMountsPrivate();

} // namespace arbolink::test
