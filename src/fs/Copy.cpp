// SPDX-License-Identifier: GPL-3.0-or-later
// The copy calls that every backend answers alike, in terms of CopyFileTo.
#include "fs/Copy.h"

namespace arbolink {

namespace {

// The caller's check between chunks, which is not told the bytes.
BetweenChunks Untold(const std::function<bool()>& betweenChunks) {
    if (!betweenChunks) {
        return {};
    }
    return [&betweenChunks](std::int64_t) { return betweenChunks(); };
}

} // namespace

CopyResult CopyOneFile(const std::string& source, const std::string& target,
                       const std::function<bool()>& betweenChunks, int& error,
                       std::int64_t expectedSize) {
    CopyOutcome outcome =
        CopyFileTo(source, target, Untold(betweenChunks), expectedSize, SourceLinks::Follow);
    error = outcome.error;
    return outcome.result;
}

CopyResult CopyOneFile(const std::string& source, const std::string& target,
                       const std::function<bool()>& betweenChunks) {
    return CopyFileTo(source, target, Untold(betweenChunks), -1, SourceLinks::Follow).result;
}

} // namespace arbolink
