// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sizes and rates as the current language writes them. Japanese keeps the program's own
// forms: a byte count in plain digits, the unit written by the message around it ("%1 バイト"),
// and rates with a point ("12.5 MB/s"). English follows the user's locale: units of 1000,
// as disks are labelled ("1.5 MB"), and the locale's decimal separator.

#include "core/Language.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace arbolink {

// A number of bytes for a message's placeholder: digits alone in Japanese, whose messages
// name the unit themselves; in English a size with its unit and, since a rounded size may be
// less than what is needed, the exact count: "1.5 MB (1474560 bytes)", "512 bytes".
std::string ByteCountText(std::int64_t bytes);

// A transfer rate: "12.5 MB/s", or "850.0 kB/s" below a megabyte a second.
std::string RateText(double bytesPerSecond);

// A count of tenths as a number with one decimal, its digits grouped by three: "1,024.0" in
// Japanese, with the user's separators in English ("1.024,0" in a German format).
std::string GroupedTenthsText(std::int64_t tenths);

// The same in a given language with a given decimal separator, which English uses in place
// of the point (and a group separator in place of the comma).
std::string ByteCountText(std::int64_t bytes, Language language, std::string_view separator);
std::string RateText(double bytesPerSecond, Language language, std::string_view separator);
std::string GroupedTenthsText(std::int64_t tenths, Language language, std::string_view separator,
                              std::string_view group);

} // namespace arbolink
