// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a set with recovery disks can be rebuilt, from what a check of its disks found.

#include "core/rFile/SetCheck.h"

#include <cstdint>
#include <string>
#include <vector>

namespace arbolink {

struct RecoveryDiskCheck {
    int disk = 0; // 1 to K
    std::string folder;
    bool good = false;  // every piece read back whole and matched the header
    std::string reason; // when not good: the first piece that failed, and why
};

struct RecoveryStanding {
    int dataCount = 0;
    int parityCount = 0;
    std::vector<RecoveryDiskCheck> recoveryDisks; // given, in the order given
    // The set's disks to rebuild, by number (data 1 to N, recovery N + j): data disks not
    // given or with a file damaged or missing, and recovery disks not given or damaged.
    std::vector<int> lost;
    // The recovery disks a rebuild of the lost data disks uses, by j.
    std::vector<int> usedRecovery;
    bool rebuildable = false; // at least N sound disks are at hand
};

// Reads the pieces of every recovery disk of the report's set among the folders (disk folders
// as folder prefixes) and tells, with the data disks' findings, what is lost and whether it
// can be rebuilt. dataCount stays 0 when no recovery disk of the set is among them.
RecoveryStanding CheckRecovery(const SetCheckReport& report,
                               const std::vector<std::string>& folders);

} // namespace arbolink
