// SPDX-License-Identifier: GPL-3.0-or-later
// Win32 backend of the file size limit: the file system's name of the folder's volume.
#include "fs/FileSizeLimit.h"

#include "fs/WideText_win32.h"

#include <windows.h>

namespace arbolink {

namespace {

// FAT12, FAT16 and FAT32 keep sizes in 32 bits on disk; exFAT and NTFS do not.
bool IsFat(const std::wstring& fileSystem) {
    return fileSystem.rfind(L"FAT", 0) == 0;
}

} // namespace

std::int64_t FileSizeLimit(const std::string& folder) {
    if (folder.empty()) {
        return -1;
    }
    // The volume path is found from the text, so a folder not yet created answers as well.
    wchar_t volume[MAX_PATH + 1];
    wchar_t fileSystem[MAX_PATH + 1];
    if (!GetVolumePathNameW(WidePath(folder).c_str(), volume, MAX_PATH + 1) ||
        !GetVolumeInformationW(volume, nullptr, 0, nullptr, nullptr, nullptr, fileSystem,
                               MAX_PATH + 1)) {
        return -1;
    }
    return IsFat(fileSystem) ? std::int64_t{0xFFFFFFFF} : -1;
}

} // namespace arbolink
