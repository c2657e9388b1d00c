// SPDX-License-Identifier: GPL-3.0-or-later
// The copy calls that every backend answers alike, in terms of CopyFileTo.
#include "fs/Copy.h"

namespace arbolink {

CopyResult CopyOneFile(const std::string& source, const std::string& target,
                       const std::function<bool()>& betweenChunks, int& error,
                       std::int64_t expectedSize) {
    CopyOutcome outcome =
        CopyFileTo(source, target, betweenChunks, expectedSize, SourceLinks::Follow);
    error = outcome.error;
    return outcome.result;
}

CopyResult CopyOneFile(const std::string& source, const std::string& target,
                       const std::function<bool()>& betweenChunks) {
    return CopyFileTo(source, target, betweenChunks, -1, SourceLinks::Follow).result;
}

} // namespace arbolink
