// SPDX-License-Identifier: GPL-3.0-or-later
// POSIX backend of the locale names: the variables setlocale reads, in its order, read as they
// stand, so a Japanese user gets Japanese even where that locale is not generated.
#include "fs/LocaleNames.h"

#include <cstdlib>
#include <langinfo.h>
#include <locale.h>

namespace arbolink {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::string LanguageList() {
    return Variable("LANGUAGE");
}

std::string MessagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (auto value = Variable(name); !value.empty()) {
            return value;
        }
    }
    return "";
}

namespace {

// One item of the user's number format, or fallback where it has none. A locale object of its
// own: the process's C locale stays as it is, so no number written into a file changes its
// form.
std::string NumberFormatItem(nl_item item, const char* fallback) {
    const locale_t numbers = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (numbers == static_cast<locale_t>(0)) {
        return fallback;
    }
    std::string text = nl_langinfo_l(item, numbers);
    freelocale(numbers);
    return text.empty() ? fallback : text;
}

} // namespace

std::string DecimalSeparator() {
    return NumberFormatItem(RADIXCHAR, ".");
}

std::string GroupSeparator() {
    return NumberFormatItem(THOUSEP, ",");
}

} // namespace arbolink
