// SPDX-License-Identifier: GPL-3.0-or-later
// Win32 backend of the drive inspection: a path's drive is named by its first character, a
// drive letter.
#include "fs/Drives.h"

#include "fs/Burner.h"
#include "fs/Folders.h"
#include "fs/WideText_win32.h"

#include <limits>
#include <windows.h>
// The shell's headers take their types from windows.h.
#include <shellapi.h>

namespace arbolink {

namespace {

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The root of the drive that the path's first character names ("A:\"); empty when that
// character is no drive letter (a network path, a relative one, an empty one).
std::wstring DriveRootOf(const std::string& path) {
    const char letter = path.empty() ? '\0' : UpperAscii(path[0]);
    if (letter < 'A' || letter > 'Z') {
        return {};
    }
    return std::wstring(1, static_cast<wchar_t>(letter)) + L":\\";
}

// A path that begins with a drive ("C:") or a share ("\\server\share"). Another one would be
// taken in the current folder, which names no drive.
bool NamesADrive(const std::string& path) {
    const bool letter = path.size() >= 2 && path[1] == ':' && !DriveRootOf(path).empty();
    const bool share = path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
                       (path[1] == '\\' || path[1] == '/');
    return letter || share;
}

// A figure of the cluster query as a 32-bit value; -1 when it does not fit.
std::int32_t AsInt32(DWORD value) {
    return value > static_cast<DWORD>(std::numeric_limits<std::int32_t>::max())
               ? -1
               : static_cast<std::int32_t>(value);
}

std::int64_t AsInt64(const ULARGE_INTEGER& value) {
    constexpr auto kMax = static_cast<ULONGLONG>(std::numeric_limits<std::int64_t>::max());
    return value.QuadPart > kMax ? std::numeric_limits<std::int64_t>::max()
                                 : static_cast<std::int64_t>(value.QuadPart);
}

// Free bytes available to the calling user (quotas applied); -1 when the drive does not answer.
std::int64_t CallerFreeBytes(const std::wstring& path) {
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER totalFree{};
    if (!GetDiskFreeSpaceExW(path.c_str(), &available, &total, &totalFree)) {
        return -1;
    }
    return AsInt64(available);
}

// The shell's name of a drive, "ローカル ディスク (C:)" or the label with the letter; empty when
// the shell has none. Critical-error boxes are kept off: a drive without its medium must not
// ask the user to insert one while the tree is filled.
std::string ShellDisplayName(const std::wstring& root) {
    DWORD previous = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous);
    SHFILEINFOW info{};
    const bool named = SHGetFileInfoW(root.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME) != 0;
    SetThreadErrorMode(previous, nullptr);
    return named ? Narrow(info.szDisplayName) : std::string();
}

// The volume's own label; empty when it has none or the drive has no medium.
std::string VolumeLabel(const std::wstring& root) {
    DWORD previous = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous);
    wchar_t label[MAX_PATH + 1] = {};
    const bool read = GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr,
                                            nullptr, nullptr, 0) != 0;
    SetThreadErrorMode(previous, nullptr);
    return read ? Narrow(label) : std::string();
}

// What the tree shows for the drive: the shell's name, else the label with the letter.
std::string DriveCaption(const std::wstring& root) {
    std::string name = ShellDisplayName(root);
    if (!name.empty()) {
        return name;
    }
    std::string label = VolumeLabel(root);
    const std::string letter = Narrow(root.substr(0, 2));
    return label.empty() ? std::string() : label + " (" + letter + ")";
}

} // namespace

std::vector<DriveEntry> ListDrives() {
    std::vector<DriveEntry> drives;
    const DWORD letters = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if ((letters & (DWORD{1} << i)) == 0) {
            continue;
        }
        const std::wstring root = std::wstring(1, static_cast<wchar_t>(L'A' + i)) + L":\\";
        DriveEntry drive;
        drive.root = Narrow(root);
        drive.kind = GetDriveKind(drive.root);
        drive.label = DriveCaption(root);
        drives.push_back(drive);
    }
    return drives;
}

std::string OpticalDriveOf(const std::string& destination) {
    return IsAbsoluteImageDrive(destination) ? destination : std::string();
}

std::vector<std::string> ListOpticalDrives() {
    return {};
}

std::string VolumeRootOf(const std::string& path) {
    return NamesADrive(path) ? Narrow(DriveRootOf(path)) : std::string();
}

std::string GetDriveKind(const std::string& path) {
    // Only the first character counts: a lead byte of a multi-byte character is no letter.
    const std::wstring root = DriveRootOf(path);
    if (root.empty() || (GetLogicalDrives() & (DWORD{1} << (root[0] - L'A'))) == 0) {
        return "-";
    }
    switch (GetDriveTypeW(root.c_str())) {
    case DRIVE_REMOVABLE:
        return "Rem";
    case DRIVE_FIXED:
        return "HDD";
    case DRIVE_REMOTE:
        return "Net";
    case DRIVE_CDROM:
        return "CD";
    case DRIVE_RAMDISK:
        return "Ram";
    default:
        return "";
    }
}

std::int64_t DriveFreeBytes(const std::string& path) {
    const std::wstring root = DriveRootOf(path);
    return root.empty() ? -1 : CallerFreeBytes(root);
}

bool IsFolderReady(const std::string& folder) {
    return FolderExists(folder) && DriveFreeBytes(folder) != -1;
}

bool GetDriveSpace(const std::string& folder, std::int32_t& sectorsPerCluster,
                   std::int32_t& bytesPerSector, std::int64_t& freeBytes) {
    sectorsPerCluster = -1;
    bytesPerSector = -1;
    freeBytes = -1;
    if (!NamesADrive(folder)) {
        return false;
    }
    // The folder itself is asked, not its drive's root: a volume mounted in a folder has
    // clusters of its own.
    const std::wstring path = WidePath(AddBackslash(folder));
    DWORD sectors = 0;
    DWORD bytes = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    const bool clusters =
        GetDiskFreeSpaceW(path.c_str(), &sectors, &bytes, &freeClusters, &totalClusters) != 0;
    if (clusters) {
        sectorsPerCluster = AsInt32(sectors);
        bytesPerSector = AsInt32(bytes);
    }
    freeBytes = CallerFreeBytes(path);
    if (freeBytes == -1 && clusters) {
        freeBytes = std::int64_t{sectors} * bytes * freeClusters;
    }
    // Free bytes alone are not enough: planning counts in clusters.
    return sectorsPerCluster != -1 && bytesPerSector != -1 && freeBytes != -1;
}

// A drive letter whose medium is taken out stops answering the space queries by itself, so
// there is nothing to remember: a pulled disk can never be mistaken for the system disk.
VolumeWatch::VolumeWatch() = default;

VolumeWatch::~VolumeWatch() = default;

void VolumeWatch::Remember(const std::string&) {}

} // namespace arbolink
