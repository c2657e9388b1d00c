// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Phrase.h"

#include <ostream>

namespace arbolink {

namespace {

// Built on first use, so that phrases listed while other files start find it ready.
std::vector<const Phrase*>& Listed() {
    static std::vector<const Phrase*> phrases;
    return phrases;
}

} // namespace

std::ostream& operator<<(std::ostream& out, const Phrase& phrase) {
    return out << phrase.c_str();
}

const std::vector<const Phrase*>& Phrases() {
    return Listed();
}

PhraseListing::PhraseListing(const Phrase& phrase) {
    Listed().push_back(&phrase);
}

} // namespace arbolink
