// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rFile/RestoredFiles.h"

#include "fs/Encoding.h"

namespace arbolink {

namespace {

// The relative path with its last name replaced by name.
std::string WithName(const std::string& relative, const std::string& name) {
    const std::size_t separator = relative.find_last_of("/\\");
    return separator == std::string::npos ? name : relative.substr(0, separator + 1) + name;
}

} // namespace

ReplaceCheck RestoredFiles::CheckFor(const std::string& relative) const {
    if (!replaceEarlier_) {
        return {};
    }
    return [this, folded = UpperCase(relative)](const FileIdentity& there) {
        return !identities_.contains(there) && !foldedPaths_.contains(folded);
    };
}

void RestoredFiles::Note(const std::string& relative, const CopyOutcome& outcome) {
    const std::string taken = WithName(relative, outcome.takenName);
    if (taken != relative) {
        renamed_.push_back({relative, taken});
    }
    if (replaceEarlier_) {
        identities_.insert(outcome.identity);
        foldedPaths_.insert(UpperCase(taken));
    }
}

} // namespace arbolink
