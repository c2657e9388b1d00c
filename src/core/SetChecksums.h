// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two checksum files of a disk, byte by byte.
//
// The checksum list "_Disk.@sha256" names the disk's own stored files (and the program copy
// on disk 1) in the form `sha256sum -c` reads: 64 lower-case hexadecimal digits, two blanks,
// the path from the disk folder, LF; UTF-8. Anyone can check a disk with it and coreutils.
//
// The set map "_index.@map" has a line for every file of the set, in index order:
//   "stored name",disk,size,"sha256" CR LF
// written like the index (fields quoted, a quote doubled). A disk is written before the files
// of later disks are read, so its map knows the digests of its own files and of the disks
// written before it; a later file's digest is empty (""). The last disk's map is whole.

#include "fs/Sha256.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace arbolink {

// Appends the checksum list line for the file at path (below the disk folder, '/' between
// folders) and answers its byte length without building it.
void AppendChecksumLine(std::string& out, const Sha256Digest& digest, std::string_view path);
std::int64_t ChecksumLineSize(std::string_view path);

struct MapEntry {
    std::string stored;
    std::int32_t disk = 0;
    std::int64_t size = 0;
    std::optional<Sha256Digest> digest; // empty: not known to the disk that holds this map
};

// Appends one map line; digest null writes an empty digest field.
void AppendMapLine(std::string& out, std::string_view stored, std::int32_t disk, std::int64_t size,
                   const Sha256Digest* digest);
// The byte length of a map line with a digest, for a disk number of diskDigits digits: the
// room planning keeps for it.
std::int64_t MapLineSize(std::string_view stored, int diskDigits, std::int64_t size);

// The map's lines; blank lines are skipped. Throws SetFormatError naming the map and the line
// for a line of another form, a disk number below 1 or a negative size.
std::vector<MapEntry> ParseSetMap(std::string_view bytes);

} // namespace arbolink
