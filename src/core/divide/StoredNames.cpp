// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/divide/StoredNames.h"

#include "fs/Folders.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace arbolink {

namespace {

bool IsRefusedCharacter(char c) {
    switch (c) {
    case '\\':
    case '/':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
        return true;
    default:
        return static_cast<unsigned char>(c) < 0x20;
    }
}

bool IsReservedDeviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') {
        base.remove_suffix(1);
    }
    if (base.size() != 3 && base.size() != 4) {
        return false; // every device name has three letters, or three and a digit
    }
    std::string upper;
    for (char c : base) {
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    static constexpr std::array<std::string_view, 4> plain = {"CON", "PRN", "AUX", "NUL"};
    for (std::string_view device : plain) {
        if (upper == device) {
            return true;
        }
    }
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
           upper[3] >= '1' && upper[3] <= '9';
}

// A name of the writer's temporary files would be taken for a copy cut short and skipped.
bool NeedsLeadingMark(std::string_view name) {
    return IsReservedDeviceName(name) || (name.starts_with('.') && IsTemporaryName(name));
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::size_t FittingLength(std::string_view name, const NameLimit& limit) {
    std::size_t units = 0;
    for (std::size_t at = 0; at < name.size(); ++at) {
        if (IsContinuationByte(name[at])) {
            continue;
        }
        // A character beyond the basic plane takes two UTF-16 units.
        units += static_cast<unsigned char>(name[at]) >= 0xF0 ? 2 : 1;
        std::size_t end = at + 1;
        while (end < name.size() && IsContinuationByte(name[end])) {
            ++end;
        }
        if (units > limit.units || end > limit.bytes) {
            return at;
        }
    }
    return name.size();
}

std::string PortableName(std::string_view name, const NameLimit& limit) {
    std::string portable(name);
    for (char& c : portable) {
        if (IsRefusedCharacter(c)) {
            c = '_';
        }
    }
    if (NeedsLeadingMark(portable)) {
        portable.insert(portable.begin(), '_');
    }
    portable.resize(FittingLength(portable, limit));
    if (!portable.empty() && (portable.back() == '.' || portable.back() == ' ')) {
        portable.back() = '_';
    }
    return portable;
}

bool IsPortableName(std::string_view name, const NameLimit& limit) {
    return std::none_of(name.begin(), name.end(), IsRefusedCharacter) && !NeedsLeadingMark(name) &&
           FittingLength(name, limit) == name.size() &&
           !(name.ends_with('.') || name.ends_with(' '));
}

} // namespace arbolink
