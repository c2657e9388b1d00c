// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test contents whose bytes differ from position to position, so a lost or doubled chunk of
// a copy shows in a comparison.

#include <cstddef>
#include <cstdint>
#include <string>

namespace arbolink::test {

inline std::string PatternBytes(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t x = 12345;
    for (char& c : bytes) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 24);
    }
    return bytes;
}

} // namespace arbolink::test
