// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PrivateMounts_posix.h"

#include <sched.h>
#include <sys/mount.h>

namespace arbolink::test {

void KeepMountsPrivate() {
    static const bool done = [] {
        return unshare(CLONE_NEWNS) == 0 &&
               mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }();
    (void)done;
}

} // namespace arbolink::test
