// SPDX-License-Identifier: GPL-3.0-or-later
#include "ByteSize.h"

#include <cctype>
#include <limits>

namespace arbolink::cli {

namespace {

using Wide = unsigned __int128;

constexpr Wide kLimit = static_cast<Wide>(std::numeric_limits<std::int64_t>::max());

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The factor a unit stands for; 0 for a unit that is not one.
Wide UnitFactor(std::string_view unit) {
    if (!unit.empty() && (unit.back() == 'B' || unit.back() == 'b')) {
        unit.remove_suffix(1);
    }
    if (unit.empty()) {
        return 1;
    }
    const bool binary = unit.size() == 2 && unit[1] == 'i';
    if (unit.size() != 1 && !binary) {
        return 0;
    }
    const std::string_view letters = "KMGT";
    const std::size_t power =
        letters.find(static_cast<char>(std::toupper(static_cast<unsigned char>(unit[0]))));
    if (power == std::string_view::npos) {
        return 0;
    }
    Wide factor = 1;
    for (std::size_t i = 0; i <= power; ++i) {
        factor *= binary ? 1024 : 1000;
    }
    return factor;
}

} // namespace

std::optional<std::int64_t> ParseByteSize(std::string_view text) {
    std::size_t pos = 0;
    Wide whole = 0;
    Wide fraction = 0;
    Wide scale = 1; // 10 to the number of fraction digits
    std::size_t digits = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++digits) {
        whole = whole * 10 + static_cast<Wide>(text[pos] - '0');
        if (whole > kLimit) {
            return std::nullopt;
        }
    }
    if (pos < text.size() && text[pos] == '.') {
        for (++pos; pos < text.size() && IsDigit(text[pos]); ++pos, ++digits) {
            if (scale < kLimit) { // further digits are far below one byte
                fraction = fraction * 10 + static_cast<Wide>(text[pos] - '0');
                scale *= 10;
            }
        }
    }
    const Wide factor = UnitFactor(text.substr(pos));
    if (digits == 0 || factor == 0) {
        return std::nullopt;
    }
    const Wide bytes = whole * factor + fraction * factor / scale;
    if (whole * factor > kLimit || bytes > kLimit || bytes == 0) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(bytes);
}

} // namespace arbolink::cli
