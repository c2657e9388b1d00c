// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TmpfsDisk_posix.h"

#include "support/PrivateMounts_posix.h"

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <utility>

namespace arbolink::test {

TmpfsDisk::TmpfsDisk(std::string mountPoint, std::int64_t kibibytes)
    : mountPoint_(std::move(mountPoint)), kibibytes_(kibibytes) {
    KeepMountsPrivate();
}

TmpfsDisk::~TmpfsDisk() {
    Eject();
}

bool TmpfsDisk::Insert() {
    std::string options = "size=" + std::to_string(kibibytes_) + "k,mode=0777";
    if (mount("tmpfs", mountPoint_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        error_ = std::string("cannot mount a tmpfs disk: ") + std::strerror(errno);
        return false;
    }
    inserted_ = true;
    return true;
}

void TmpfsDisk::Eject() {
    if (inserted_) {
        umount2(mountPoint_.c_str(), MNT_DETACH);
        inserted_ = false;
    }
}

bool TmpfsDisk::Swap() {
    Eject();
    return Insert();
}

} // namespace arbolink::test
