#pragma once
// Drive inspection: what kind of drive a path lies on, whether its medium answers, and the
// free space and allocation unit the split planning works with. Never shows a message.
//
// On Linux the drive of a path is the mounted file system that holds it (the longest mount
// point that prefixes the absolute path).

#include <cstdint>
#include <string>

namespace arbolink {

// "Rem", "HDD", "Net", "CD", "Ram"; "-" for a path that names no drive (empty, relative);
// empty text for a drive of another kind.
std::string GetDriveKind(const std::string& path);

// Bytes available to the calling user on the path's drive; -1 when the drive does not
// answer. The path itself need not exist.
std::int64_t DriveFreeBytes(const std::string& path);

// The folder exists and its drive answers.
bool IsFolderReady(const std::string& folder);

// Allocation unit (sectorsPerCluster x bytesPerSector is the real cluster size of the file
// system) and free bytes of the folder's drive. Values whose query failed are -1; answers
// true only when all three were obtained.
bool GetDriveSpace(const std::string& folder, std::int32_t& sectorsPerCluster,
                   std::int32_t& bytesPerSector, std::int64_t& freeBytes);

} // namespace arbolink
