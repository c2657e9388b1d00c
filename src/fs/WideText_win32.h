// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts are UTF-8 inside the program and UTF-16 at the Win32 calls, so that names outside the
// ANSI code page survive. Windows only.

#include <string>
#include <string_view>

namespace arbolink {

// UTF-16 of UTF-8 text; a byte sequence that is not UTF-8 becomes U+FFFD.
std::wstring Widen(std::string_view utf8);

// UTF-8 of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view wide);

// A path for the wide file calls: past the classic length limit an absolute path is given
// the "\\?\" form, which lifts the limit (and takes "\" only, so "/" is turned into it).
std::wstring WidePath(std::string_view utf8);

} // namespace arbolink
