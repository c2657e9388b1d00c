// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language the program speaks: Japanese, as it always has, or English for everyone whose
// locale is not Japanese. Chosen once at start; every text of the core and the tool follows it.

#include <string_view>

namespace arbolink {

enum class Language { Japanese, English };

// The language for a LANGUAGE list ("en_GB:ja", colon-separated, glibc's order of preference)
// and the locale name that governs messages (LC_ALL, else LC_MESSAGES, else LANG). The first
// entry of the list that names Japanese or English wins; an empty list or one naming neither
// leaves the choice to the locale: Japanese for "ja" and "ja_*", English for any other,
// "C" and an empty name included.
Language LanguageFor(std::string_view languageList, std::string_view messagesLocale);

// The language of the user's environment on this platform (see LanguageFor).
Language SystemLanguage();

// The language texts are shown in: Japanese until UseLanguage says otherwise.
Language CurrentLanguage();
void UseLanguage(Language language);

} // namespace arbolink
