// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recovery/RecoveryCheck.h"

#include "core/CopyReasons.h"
#include "core/Formatted.h"
#include "core/SetFormat.h"
#include "core/recovery/RecoveryFormat.h"
#include "core/wFile/WriteMessages.h"
#include "fs/Folders.h"
#include "fs/ReadBack.h"

#include <algorithm>
#include <optional>

namespace arbolink {

namespace {

RecoveryDiskCheck CheckPieces(const RecoveryHeader& header, const std::string& folder) {
    RecoveryDiskCheck check{header.disk, folder, true, {}};
    for (const ParityPiece& piece : header.pieces) {
        if (piece.disk != header.disk) {
            continue;
        }
        Sha256Digest digest{};
        int error = 0;
        if (!ReadBackDigest(folder + piece.name, digest, error)) {
            check.reason = Formatted(msg::kNameWithReason, piece.name, CopyFailureReason(error));
        } else if (digest != piece.digest) {
            check.reason = Formatted(msg::kNameWithReason, piece.name, msg::kReasonReadBack);
        } else {
            continue;
        }
        check.good = false;
        break;
    }
    return check;
}

bool DiskSound(const DiskCheck& disk) {
    return std::none_of(disk.files.begin(), disk.files.end(), [](const FileCheck& file) {
        return file.state == FileState::Damaged || file.state == FileState::Missing;
    });
}

} // namespace

RecoveryStanding CheckRecovery(const SetCheckReport& report,
                               const std::vector<std::string>& folders) {
    RecoveryStanding standing;
    for (const std::string& folder : folders) {
        std::optional<RecoveryHeader> header = TryReadRecoveryHeader(folder);
        if (!header || header->setId != report.setId || header->dataCount != report.diskCount) {
            continue;
        }
        standing.dataCount = header->dataCount;
        standing.parityCount = header->parityCount;
        const bool seen =
            std::any_of(standing.recoveryDisks.begin(), standing.recoveryDisks.end(),
                        [&](const RecoveryDiskCheck& disk) { return disk.disk == header->disk; });
        if (!seen) {
            standing.recoveryDisks.push_back(CheckPieces(*header, folder));
        }
    }
    if (standing.dataCount == 0) {
        return standing;
    }
    std::vector<bool> sound(static_cast<std::size_t>(standing.dataCount + standing.parityCount));
    for (const DiskCheck& disk : report.checked) {
        sound[static_cast<std::size_t>(disk.disk - 1)] = DiskSound(disk);
    }
    std::vector<int> good;
    for (const RecoveryDiskCheck& disk : standing.recoveryDisks) {
        sound[static_cast<std::size_t>(standing.dataCount + disk.disk - 1)] = disk.good;
        if (disk.good) {
            good.push_back(disk.disk);
        }
    }
    std::sort(good.begin(), good.end());
    int lostData = 0;
    for (std::size_t s = 0; s < sound.size(); ++s) {
        if (!sound[s]) {
            standing.lost.push_back(static_cast<int>(s) + 1);
            lostData += static_cast<int>(s) < standing.dataCount ? 1 : 0;
        }
    }
    const auto available = static_cast<int>(std::count(sound.begin(), sound.end(), true));
    standing.rebuildable = available >= standing.dataCount;
    good.resize(std::min<std::size_t>(good.size(), static_cast<std::size_t>(lostData)));
    standing.usedRecovery = good;
    return standing;
}

} // namespace arbolink
