// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows backend of the media watcher: a drive letter already names the slot, so the
// watcher looks at the logical drives with removable media and at the volume in each.
#include "fs/MediaWatch.h"

#include "fs/Drives.h"
#include "fs/WideText_win32.h"

#include <cstdio>
#include <windows.h>

namespace arbolink {

namespace {

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The volume in the drive at root; false when the drive holds no medium.
bool ReadVolume(const std::string& root, Medium& medium) {
    const std::wstring wide = Widen(root);
    wchar_t label[MAX_PATH + 1] = {};
    DWORD serial = 0;
    // An empty drive must answer "no medium", not put up the system's "insert a disk" box.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    const BOOL read = GetVolumeInformationW(wide.c_str(), label, MAX_PATH + 1, &serial, nullptr,
                                            nullptr, nullptr, 0);
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER totalFree{};
    const BOOL sized = read && GetDiskFreeSpaceExW(wide.c_str(), &available, &total, &totalFree);
    SetErrorMode(oldMode);
    if (!read) {
        return false;
    }
    char id[16];
    std::snprintf(id, sizeof id, "%08lX", static_cast<unsigned long>(serial));
    medium.id = root + id; // another medium in the same drive has another serial number
    medium.label = Narrow(label);
    medium.size = sized ? static_cast<std::int64_t>(total.QuadPart) : -1;
    return true;
}

class LogicalDriveWatcher : public MediaWatcher {
public:
    LogicalDriveWatcher() { Start(); }

protected:
    std::vector<Medium> Look() override {
        std::vector<Medium> media;
        const DWORD drives = GetLogicalDrives();
        for (int letter = 0; letter < 26; ++letter) {
            if ((drives & (DWORD{1} << letter)) == 0) {
                continue;
            }
            const std::string root = std::string(1, static_cast<char>('A' + letter)) + ":\\";
            const std::string kind = GetDriveKind(root);
            // Fixed and network drives are not swapped; asking a network drive can take long.
            if (kind != "Rem" && kind != "CD") {
                continue;
            }
            Medium medium;
            if (ReadVolume(root, medium)) {
                medium.device = root;
                medium.drive = root;
                medium.mountPoint = root;
                medium.kind = kind;
                media.push_back(std::move(medium));
            }
        }
        return media;
    }
};

} // namespace

bool MountPointHolds(const std::string& mountPoint, const std::string& path) {
    return !mountPoint.empty() && path.size() >= 2 && path[1] == ':' &&
           UpperAscii(path[0]) == UpperAscii(mountPoint[0]);
}

std::unique_ptr<MediaWatcher> OpenMediaWatcher() {
    return std::make_unique<LogicalDriveWatcher>();
}

} // namespace arbolink
