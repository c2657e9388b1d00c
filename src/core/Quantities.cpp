// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Quantities.h"

#include "fs/LocaleNames.h"

#include <cstddef>
#include <cstdio>
#include <iterator>

namespace arbolink {
namespace {

// The value with one decimal, the point replaced by separator in English.
std::string OneDecimal(double value, Language language, std::string_view separator) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", value);
    std::string out = text;
    if (const auto point = out.find('.');
        language == Language::English && point != std::string::npos) {
        out.replace(point, 1, separator);
    }
    return out;
}

// Only English reads the locale's number format; Japanese never needs it.
std::string SeparatorOf(Language language) {
    return language == Language::English ? DecimalSeparator() : ".";
}

} // namespace

std::string ByteCountText(std::int64_t bytes, Language language, std::string_view separator) {
    const std::string digits = std::to_string(bytes);
    if (language == Language::Japanese) {
        return digits;
    }
    const std::string exact = digits + (bytes == 1 ? " byte" : " bytes");
    if (bytes < 1000) {
        return exact;
    }
    static constexpr const char* kUnits[] = {"kB", "MB", "GB", "TB", "PB", "EB"};
    double value = static_cast<double>(bytes) / 1000;
    std::size_t unit = 0;
    // 999.96 kB would round to "1000.0 kB": it is shown as 1.0 MB.
    while (value >= 999.95 && unit + 1 < std::size(kUnits)) {
        value /= 1000;
        ++unit;
    }
    return OneDecimal(value, language, separator) + " " + kUnits[unit] + " (" + exact + ")";
}

std::string RateText(double bytesPerSecond, Language language, std::string_view separator) {
    return bytesPerSecond >= 1e6 ? OneDecimal(bytesPerSecond / 1e6, language, separator) + " MB/s"
                                 : OneDecimal(bytesPerSecond / 1e3, language, separator) + " kB/s";
}

std::string GroupedTenthsText(std::int64_t tenths, Language language, std::string_view separator,
                              std::string_view group) {
    const bool english = language == Language::English;
    std::string digits = std::to_string(tenths / 10);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), english ? group : ",");
    }
    return digits + std::string(english ? separator : ".") + std::to_string(tenths % 10);
}

std::string ByteCountText(std::int64_t bytes) {
    const Language language = CurrentLanguage();
    return ByteCountText(bytes, language, SeparatorOf(language));
}

std::string RateText(double bytesPerSecond) {
    const Language language = CurrentLanguage();
    return RateText(bytesPerSecond, language, SeparatorOf(language));
}

std::string GroupedTenthsText(std::int64_t tenths) {
    const Language language = CurrentLanguage();
    return GroupedTenthsText(tenths, language, SeparatorOf(language),
                             language == Language::English ? GroupSeparator() : ",");
}

} // namespace arbolink
