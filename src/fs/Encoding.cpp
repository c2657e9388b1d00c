#include "fs/Encoding.h"

#include <cstdint>

namespace arbolink {

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        auto c = static_cast<std::uint8_t>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        std::uint32_t min = 0;
        std::uint32_t code = 0;
        if ((c & 0xE0) == 0xC0) {
            length = 2, min = 0x80, code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3, min = 0x800, code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4, min = 0x10000, code = c & 0x07;
        } else {
            return false;
        }
        if (i + length > n) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            auto t = static_cast<std::uint8_t>(bytes[i + k]);
            if ((t & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (t & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

} // namespace arbolink
