// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CopyReasons.h"

#include "core/Formatted.h"
#include "fs/Drives.h"

#include <cerrno>
#include <cstring>

namespace arbolink {

std::string CopyFailureReason(int error) {
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT // not among the C runtime's numbers on Windows
    case EDQUOT:
#endif
        return msg::kReasonNoSpace;
    case EACCES:
    case EPERM:
        return msg::kReasonAccess;
    case ENOENT:
        return msg::kReasonNotFound;
    case EROFS:
        return msg::kReasonReadOnly;
    case EIO:
        return msg::kReasonIo;
    case ENAMETOOLONG:
    case EILSEQ:
        return msg::kReasonName;
    case EFBIG:
        return msg::kReasonTooLarge;
    case EINVAL:
        return msg::kReasonNotRegular;
    default:
        return Formatted(msg::kReasonOther, error, std::strerror(error));
    }
}

std::string FailedCopyReason(const CopyOutcome& outcome, CopySide diskSide,
                             const std::string& diskFolder) {
    if (outcome.side == diskSide && DriveFreeBytes(diskFolder) == -1) {
        return msg::kReasonNoDisk;
    }
    if (outcome.side == CopySide::Target) {
        if (outcome.error == ELOOP && !outcome.blockedAt.empty()) {
            return msg::kReasonLinkInTheWay + outcome.blockedAt;
        }
        if (outcome.error == ENOTDIR && !outcome.blockedAt.empty()) {
            return msg::kReasonFileInTheWay + outcome.blockedAt;
        }
        if (outcome.error == ENOENT) {
            return msg::kReasonTargetFolderGone;
        }
    }
    return CopyFailureReason(outcome.error);
}

} // namespace arbolink
