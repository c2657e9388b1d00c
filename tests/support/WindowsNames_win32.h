// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names for Windows tests that the ANSI code page cannot hold, and a check that it cannot, so
// that a test passing through the ANSI calls by mistake fails. Windows only.

#include <string>

namespace arbolink::test {

// Japanese, Korean and a character beyond the first Unicode plane (a surrogate pair).
inline const std::string kOutsideAnsi = "分割 한글 😀";

// True when the ANSI code page has no character for some of the text.
bool LostInAnsiCodePage(const std::string& utf8);

} // namespace arbolink::test
