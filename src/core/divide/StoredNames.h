#pragma once
// How a file's name becomes the name it is stored under on its disk.

#include <string>
#include <string_view>

namespace arbolink {

// The name with everything FAT, exFAT and NTFS refuse replaced: the characters
// \ / : * ? " < > | and control characters become "_", a trailing dot or blank becomes "_",
// and a reserved device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an
// extension) gets a leading "_". A name those file systems accept comes back unchanged.
std::string PortableName(std::string_view name);

} // namespace arbolink
