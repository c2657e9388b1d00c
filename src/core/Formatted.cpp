// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Formatted.h"

#include <cstdarg>
#include <cstdio>

namespace arbolink {

std::string Formatted(const char* pattern, ...) {
    std::va_list args;
    va_start(args, pattern);
    std::va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(nullptr, 0, pattern, args);
    va_end(args);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 0) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), pattern, again);
    va_end(again);
    text.resize(static_cast<std::size_t>(size > 0 ? size : 0));
    return text;
}

} // namespace arbolink
