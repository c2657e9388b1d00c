// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FreeSpaceText.h"

#include "core/Quantities.h"
#include "fs/Drives.h"
#include "fs/Folders.h"
#include "ui/MainMessages.h"

namespace arbolink {

namespace {

constexpr std::int64_t kKilobyte = 1024;
constexpr std::int64_t kMegabyte = kKilobyte * 1024;
constexpr std::int64_t kGigabyte = kMegabyte * 1024;

// Blanks that keep the right-aligned number off the read-out's border.
constexpr const char* kNumberTrail = "  ";

} // namespace

FreeSpaceReadout FreeSpaceText(std::int64_t freeBytes) {
    std::int64_t divisor = 1;
    const char* unit = msg::kUnitBytes;
    if (freeBytes > kGigabyte) {
        divisor = kGigabyte;
        unit = msg::kUnitGigabytes;
    } else if (freeBytes > kMegabyte) {
        divisor = kMegabyte;
        unit = msg::kUnitMegabytes;
    } else if (freeBytes > kKilobyte) {
        divisor = kKilobyte;
        unit = msg::kUnitKilobytes;
    }
    // Tenths, rounded half up, in extended precision: ten times any 64-bit count fits.
    const long double scaled = static_cast<long double>(freeBytes) * 10 / divisor;
    const auto tenths = static_cast<std::int64_t>(scaled + 0.5L);
    return {GroupedTenthsText(tenths) + kNumberTrail, unit};
}

FreeSpaceReadout FreeSpaceOfFolder(const std::string& folder, bool mediumRemoved) {
    std::int32_t sectorsPerCluster = 0;
    std::int32_t bytesPerSector = 0;
    std::int64_t freeBytes = 0;
    // The folders above a medium taken out are not where the folder would go.
    if (mediumRemoved) {
        return {std::string(msg::kNoMedium) + kNumberTrail, ""};
    }
    // A blank disc is not mounted: its room is only known once the divide asks the drive.
    if (!OpticalDriveOf(folder).empty()) {
        return {std::string(msg::kOpticalDrive) + kNumberTrail, ""};
    }
    // A folder not made yet would be made on the drive of the folder it goes in.
    if (!GetDriveSpace(NearestExistingFolder(folder), sectorsPerCluster, bytesPerSector,
                       freeBytes)) {
        return {std::string(msg::kDiskError) + kNumberTrail, ""};
    }
    return FreeSpaceText(freeBytes);
}

} // namespace arbolink
