// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drive inspection: what kind of drive a path lies on, whether its medium answers, and the
// free space and allocation unit the split planning works with. Never shows a message.
//
// On Linux the drive of a path is the mounted file system that holds it (the longest mount
// point that prefixes the absolute path). On Windows it is the drive letter the path begins
// with.

#include <cstdint>
#include <string>
#include <vector>

namespace arbolink {

// "Rem", "HDD", "Net", "CD", "Ram"; "-" for a path that names no drive (empty, relative;
// on Windows also a letter that is not among the logical drives, or a network path); empty
// text for a drive of another kind.
std::string GetDriveKind(const std::string& path);

// Bytes available to the calling user on the path's drive; -1 when the drive does not
// answer. The path itself need not exist.
std::int64_t DriveFreeBytes(const std::string& path);

// The root folder of the drive the path lies on: on Linux the mount point of the file system
// that holds it, on Windows its drive letter's root ("C:\"). Empty when the path names no
// drive. Two paths lie on one drive exactly when their roots are equal.
std::string VolumeRootOf(const std::string& path);

// The folder exists and its drive answers.
bool IsFolderReady(const std::string& folder);

// Allocation unit (sectorsPerCluster x bytesPerSector is the real cluster size of the file
// system) and free bytes of the folder's drive. Values whose query failed are -1; answers
// true only when all three were obtained.
bool GetDriveSpace(const std::string& folder, std::int32_t& sectorsPerCluster,
                   std::int32_t& bytesPerSector, std::int64_t& freeBytes);

// A mounted volume that the folder tree shows as one of the computer's drives. On Windows only
// root, label and kind are filled.
struct DriveEntry {
    std::string root;         // its mount point (on Windows "C:\"): the drive's root folder
    std::string label;        // the volume label (on Windows the shell's display name of the
                              // drive, "ローカル ディスク (C:)"); empty when there is none
    std::string kind;         // as GetDriveKind answers for the root
    std::string source;       // what the mount table names as its source: "/dev/sdb1"
    std::string deviceNumber; // "major:minor" of the mounted file system
    std::string slot;         // the disk's folder in sysfs, which names the slot; empty for no disk
};

// The drives a user would recognise (see IsUserVolume), the root file system first, then in
// the order of their mount points. On Windows every logical drive, in the order of the letters;
// a drive without its medium is listed all the same, and no box asks for one.
std::vector<DriveEntry> ListDrives();

// The optical drive a split destination names, as the disc burner addresses it: an image
// drive with an absolute path ("stdio:/x/set.iso") as it is; the device of an optical drive
// ("/dev/sr0", or a link to one such as "/dev/cdrom") as it was given; a folder on a disc
// mounted from an optical drive that takes no files, that drive's device ("/dev/sr0"). Empty
// for every other destination: it is written as a folder. On Windows only image drives.
std::string OpticalDriveOf(const std::string& destination);

// The devices of the computer's optical drives ("/dev/sr0"), with or without a disc, in the
// order of their names. On Windows none: discs are not burnt there.
std::vector<std::string> ListOpticalDrives();

// Remembers the volumes a command started on. While a VolumeWatch lives, DriveFreeBytes (and
// so IsFolderReady and GetDriveSpace) answers -1 / false for a path below a remembered mount
// point that is no longer mounted, although the empty mount folder on the system disk would
// still answer: a pulled stick must never let a command write onto the system disk.
class VolumeWatch {
public:
    VolumeWatch();
    ~VolumeWatch();
    VolumeWatch(const VolumeWatch&) = delete;
    VolumeWatch& operator=(const VolumeWatch&) = delete;
    // Remembers the mount point that holds path now (nothing when path names no drive).
    void Remember(const std::string& path);

private:
    std::vector<std::string> mountPoints_;
};

#ifndef _WIN32
// Points the backend at another root for its system files ("/proc/self/mountinfo", "/sys"),
// so that tests can describe any kind of drive with a fake tree. "" is the real root.
void SetDriveSystemRoot(const std::string& root);
#endif

} // namespace arbolink
