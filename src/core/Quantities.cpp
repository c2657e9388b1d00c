// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Quantities.h"

#include "core/Language.h"
#include "fs/LocaleNames.h"

#include <cmath>
#include <cstdio>

namespace arbolink {

std::string OneDecimal(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", value);
    std::string out = text;
    if (CurrentLanguage() == Language::English) {
        if (const auto point = out.find('.'); point != std::string::npos) {
            out.replace(point, 1, DecimalSeparator());
        }
    }
    return out;
}

std::string ByteCountText(std::int64_t bytes) {
    const std::string digits = std::to_string(bytes);
    if (CurrentLanguage() == Language::Japanese) {
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
    return OneDecimal(value) + " " + kUnits[unit] + " (" + exact + ")";
}

std::string RateText(double bytesPerSecond) {
    return bytesPerSecond >= 1e6 ? OneDecimal(bytesPerSecond / 1e6) + " MB/s"
                                 : OneDecimal(bytesPerSecond / 1e3) + " kB/s";
}

} // namespace arbolink
