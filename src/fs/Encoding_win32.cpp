// SPDX-License-Identifier: GPL-3.0-or-later
// CP932 decoding and case mapping with the Win32 national language support.
#include "fs/Encoding.h"

#include "fs/WideText_win32.h"

#include <windows.h>

namespace arbolink {

namespace {

constexpr UINT kShiftJis = 932;

} // namespace

char32_t UpperCaseOf(char32_t code) {
    // The invariant locale's upper-casing is the simple mapping the file systems use;
    // LCMapStringEx takes surrogate pairs for what lies beyond the first plane.
    wchar_t in[2];
    int length = 1;
    if (code >= 0x10000) {
        in[0] = static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
        in[1] = static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        length = 2;
    } else {
        in[0] = static_cast<wchar_t>(code);
    }
    wchar_t out[2];
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, in, length, out, 2, nullptr, nullptr,
                      0) != length) {
        return code;
    }
    if (length == 1) {
        return out[0];
    }
    return 0x10000 + ((static_cast<char32_t>(out[0]) - 0xD800) << 10) +
           (static_cast<char32_t>(out[1]) - 0xDC00);
}

bool Cp932ToUtf8(std::string_view bytes, std::string& utf8) {
    utf8.clear();
    if (bytes.empty()) {
        return true;
    }
    const int size = static_cast<int>(bytes.size());
    int length =
        MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length == 0) {
        return false;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
    utf8 = Narrow(wide);
    return true;
}

} // namespace arbolink
