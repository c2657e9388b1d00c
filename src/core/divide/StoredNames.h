// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a file's name becomes the name it is stored under on its disk.

#include <cstddef>
#include <string>
#include <string_view>

namespace arbolink {

// The longest stored name in bytes. Linux file systems take 255 bytes a name; FAT, exFAT and
// NTFS take 255 UTF-16 units, and a UTF-8 name never has more units than bytes.
inline constexpr std::size_t kMaxStoredNameBytes = 255;

// The longest stored name a medium takes, in bytes of UTF-8 and in UTF-16 units.
struct NameLimit {
    std::size_t bytes = kMaxStoredNameBytes;
    std::size_t units = kMaxStoredNameBytes;
};

// Drives' file systems: 255 bytes, which are never fewer than the UTF-16 units.
inline constexpr NameLimit kDriveNameLimit{};
// The longest name whose Rock Ridge entries stay inside its ISO 9660 directory record: the
// record takes 254 bytes, of which its fixed part, the ISO 9660 name of 31 characters with
// ";1" and Rock Ridge's PX (44), TF (26) and the NM entry's own 5 bytes leave 113 for the name.
// A longer name continues in a continuation area, and libisofs 1.5.4 lays out the
// continuation areas of many such names in one folder in more blocks than it writes, which
// leaves the image short and the disc spoiled.
inline constexpr std::size_t kDiscRecordNameBytes = 113;
// An optical disc's image: names within one directory record (kDiscRecordNameBytes), and
// within Joliet's long names of 103 UTF-16 units.
inline constexpr NameLimit kDiscNameLimit{kDiscRecordNameBytes, 103};

// The length of the longest start of the UTF-8 name that is within the limit and ends at a
// character's end; the name's own length when it is within it.
std::size_t FittingLength(std::string_view name, const NameLimit& limit);

// The name with everything FAT, exFAT and NTFS refuse replaced: the characters
// \ / : * ? " < > | and control characters become "_", a trailing dot or blank becomes "_",
// and a reserved device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an
// extension) or a name of the writer's temporary files (IsTemporaryName) gets a leading "_";
// a name beyond the limit is cut to it. A name those file systems accept comes back
// unchanged.
std::string PortableName(std::string_view name, const NameLimit& limit = kDriveNameLimit);

// True when PortableName would give the name back unchanged; makes no copy of it.
bool IsPortableName(std::string_view name, const NameLimit& limit = kDriveNameLimit);

} // namespace arbolink
