// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's free-space read-out as text: a number with one decimal and thousands
// grouped ("1,024.0"; in English as the user's number format writes it), and its unit. Plain
// C++, no Qt.

#include <cstdint>
#include <string>

namespace arbolink {

struct FreeSpaceReadout {
    std::string number; // StaticText1: the number, or "Disk Error", and two blanks after it
    std::string unit;   // Label5: "Gbyte", "Mbyte", "Kbyte", "byte", or empty
};

// The read-out for a free space of freeBytes (not negative). The unit is the largest one the
// space strictly exceeds; the number is rounded half up to one decimal.
FreeSpaceReadout FreeSpaceText(std::int64_t freeBytes);

// The read-out for the drive of a folder, or of the nearest folder above it that exists when
// it does not exist yet; when that drive does not answer or the path names none, with no
// unit, "Disk Error", or "ディスクがありません" when the folder lay on a medium that was taken
// out; "光ディスクに焼く" for an optical drive (see OpticalDriveOf), whose discs the divide
// burns.
FreeSpaceReadout FreeSpaceOfFolder(const std::string& folder, bool mediumRemoved = false);

} // namespace arbolink
