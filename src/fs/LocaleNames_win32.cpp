// SPDX-License-Identifier: GPL-3.0-or-later
// Win32 backend of the locale names: LANGUAGE when set (tests under Wine set it), and the
// user's display language, which is what Windows shows its own menus in.
#include "fs/LocaleNames.h"

#include "fs/WideText_win32.h"

#include <cstdlib>
#include <windows.h>

namespace arbolink {

std::string LanguageList() {
    const wchar_t* value = _wgetenv(L"LANGUAGE");
    return value ? Narrow(value) : "";
}

std::string MessagesLocale() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    if (!LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name,
                          LOCALE_NAME_MAX_LENGTH, 0)) {
        return "";
    }
    return Narrow(name);
}

namespace {

// One item of the user's number format, or fallback where it has none.
std::string NumberFormatItem(LCTYPE item, const char* fallback) {
    wchar_t text[8];
    if (!GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text, 8) || !text[0]) {
        return fallback;
    }
    return Narrow(text);
}

} // namespace

std::string DecimalSeparator() {
    return NumberFormatItem(LOCALE_SDECIMAL, ".");
}

std::string GroupSeparator() {
    return NumberFormatItem(LOCALE_STHOUSAND, ",");
}

} // namespace arbolink
