#include "core/CopyReasons.h"

#include <cerrno>
#include <cstdio>
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
        char text[256];
        std::snprintf(text, sizeof text, msg::kReasonOther, error, std::strerror(error));
        return text;
    }
}

} // namespace arbolink
