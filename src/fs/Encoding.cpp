// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Encoding.h"

#include <cstdint>

namespace arbolink {

namespace {

// Decodes one UTF-8 sequence at i; 0 length when the bytes there are not a valid sequence.
std::size_t DecodeAt(std::string_view s, std::size_t i, char32_t& code) {
    auto c = static_cast<std::uint8_t>(s[i]);
    std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
    if (length == 0 || i + length > s.size() || !IsValidUtf8(s.substr(i, length))) {
        return 0;
    }
    code = length == 2 ? (c & 0x1F) : length == 3 ? (c & 0x0F) : (c & 0x07);
    for (std::size_t k = 1; k < length; ++k) {
        code = (code << 6) | (static_cast<std::uint8_t>(s[i + k]) & 0x3F);
    }
    return length;
}

void Encode(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

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

std::string UpperCase(std::string_view utf8) {
    std::string out;
    AppendUpperCase(utf8, out);
    return out;
}

void AppendUpperCase(std::string_view utf8, std::string& out) {
    out.reserve(out.size() + utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char c = utf8[i];
        if (static_cast<unsigned char>(c) < 0x80) {
            // A run of ASCII, most of a name, is appended at once and upper-cased in place.
            std::size_t end = i + 1;
            while (end < utf8.size() && static_cast<unsigned char>(utf8[end]) < 0x80) {
                ++end;
            }
            const std::size_t at = out.size();
            out.append(utf8, i, end - i);
            for (std::size_t k = at; k < out.size(); ++k) {
                if (out[k] >= 'a' && out[k] <= 'z') {
                    out[k] = static_cast<char>(out[k] - 'a' + 'A');
                }
            }
            i = end;
            continue;
        }
        char32_t code = 0;
        std::size_t length = DecodeAt(utf8, i, code);
        if (length == 0) {
            out += c;
            ++i;
            continue;
        }
        Encode(UpperCaseOf(code), out);
        i += length;
    }
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace arbolink
