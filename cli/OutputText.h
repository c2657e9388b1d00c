// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names and texts as the tool prints them for scripts: as JSON strings, and as the fields of
// tab-separated rows.

#include <string>
#include <string_view>

namespace arbolink::cli {

// The text as a JSON string, quotes included. Control characters are escaped; bytes that are
// not UTF-8 each become U+FFFD, so the output is valid JSON whatever a name holds.
std::string JsonString(std::string_view text);

// A decimal whole number as it stands, or null when the text is none.
std::string JsonNumber(std::string_view decimal);

// The text as one field of a tab-separated row: every control character (a TAB, a line
// break) is shown as its picture, U+2400 on (TAB as "␉"), so that it cannot split the field
// or the row. The exact text is in the JSON output.
std::string TsvField(std::string_view text);

} // namespace arbolink::cli
