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

// The length of the longest start of the UTF-8 name that is at most limit bytes long and
// ends at a character's end; the name's own length when it is not longer.
std::size_t FittingLength(std::string_view name, std::size_t limit);

// The name with everything FAT, exFAT and NTFS refuse replaced: the characters
// \ / : * ? " < > | and control characters become "_", a trailing dot or blank becomes "_",
// and a reserved device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an
// extension) or a name of the writer's temporary files (IsTemporaryName) gets a leading "_";
// a name longer than kMaxStoredNameBytes is cut to that. A
// name those file systems accept comes back unchanged.
std::string PortableName(std::string_view name);

// True when PortableName would give the name back unchanged; makes no copy of it.
bool IsPortableName(std::string_view name);

} // namespace arbolink
