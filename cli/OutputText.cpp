// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputText.h"

#include "fs/Encoding.h"

#include <cstdio>

namespace arbolink::cli {

namespace {

// The length of the UTF-8 sequence a lead byte starts, 1 for ASCII and stray bytes.
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) {
        return 4;
    }
    if (lead >= 0xE0) {
        return 3;
    }
    return lead >= 0xC0 ? 2 : 1;
}

} // namespace

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            const std::size_t length = SequenceLength(byte);
            const std::string_view sequence = text.substr(i, length);
            const bool valid = length > 1 && sequence.size() == length && IsValidUtf8(sequence);
            json += valid ? sequence : "\uFFFD";
            i += valid ? length : 1;
            continue;
        }
        ++i;
        if (byte == '"' || byte == '\\') {
            json += '\\';
            json += static_cast<char>(byte);
        } else if (byte == '\n') {
            json += "\\n";
        } else if (byte == '\t') {
            json += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else {
            json += static_cast<char>(byte);
        }
    }
    return json + "\"";
}

std::string JsonNumber(std::string_view decimal) {
    const std::string_view digits = decimal.starts_with('-') ? decimal.substr(1) : decimal;
    const bool whole = !digits.empty() && (digits == "0" || digits.front() != '0') &&
                       digits.find_first_not_of("0123456789") == std::string_view::npos;
    return whole ? std::string(decimal) : "null";
}

std::string TsvField(std::string_view text) {
    std::string field;
    field.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20) {
            field += c;
            continue;
        }
        // U+2400 + byte in UTF-8: E2 90 80+byte.
        field += "\xE2\x90";
        field += static_cast<char>(0x80 + byte);
    }
    return field;
}

} // namespace arbolink::cli
