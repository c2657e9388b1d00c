// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every message filled in from a catalogue pattern starts with, for tests that look for
// a message whose arguments they do not know.

#include "core/Phrase.h"

#include <string>

namespace arbolink::test {

// The pattern's text in the current language up to its first placeholder.
inline std::string Lead(const Phrase& pattern) {
    const std::string text = pattern;
    return text.substr(0, text.find('%'));
}

} // namespace arbolink::test
