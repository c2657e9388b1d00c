// SPDX-License-Identifier: GPL-3.0-or-later
// POSIX backend of the locale names: the variables setlocale reads, in its order, read as they
// stand, so a Japanese user gets Japanese even where that locale is not generated.
#include "fs/LocaleNames.h"

#include <cstdlib>

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

} // namespace arbolink
