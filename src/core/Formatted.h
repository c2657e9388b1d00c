// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A message filled in from a catalogue's printf pattern.

#include <string>

namespace arbolink {

// The pattern with its conversions filled in from the arguments, as std::snprintf would, of
// any length.
std::string Formatted(const char* pattern, ...);

} // namespace arbolink
