// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/WindowsNames_win32.h"

#include "fs/WideText_win32.h"

#include <windows.h>

namespace arbolink::test {

bool LostInAnsiCodePage(const std::string& utf8) {
    const std::wstring wide = Widen(utf8);
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), static_cast<int>(wide.size()),
                        nullptr, 0, nullptr, &lost);
    return lost != FALSE;
}

} // namespace arbolink::test
