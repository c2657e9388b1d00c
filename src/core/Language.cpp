// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Language.h"

#include "fs/LocaleNames.h"

#include <optional>

namespace arbolink {
namespace {

Language current = Language::Japanese;

// "ja", "ja_JP.UTF-8", "ja-JP" and "ja@x" name Japanese; "jam" does not.
bool NamesLanguage(std::string_view name, std::string_view code) {
    if (!name.starts_with(code)) {
        return false;
    }
    if (name.size() == code.size()) {
        return true;
    }
    const char next = name[code.size()];
    return next == '_' || next == '-' || next == '.' || next == '@';
}

std::optional<Language> Named(std::string_view name) {
    if (NamesLanguage(name, "ja")) {
        return Language::Japanese;
    }
    if (NamesLanguage(name, "en")) {
        return Language::English;
    }
    return std::nullopt;
}

} // namespace

Language LanguageFor(std::string_view languageList, std::string_view messagesLocale) {
    while (!languageList.empty()) {
        const auto colon = languageList.find(':');
        if (const auto language = Named(languageList.substr(0, colon))) {
            return *language;
        }
        if (colon == std::string_view::npos) {
            break;
        }
        languageList.remove_prefix(colon + 1);
    }
    return NamesLanguage(messagesLocale, "ja") ? Language::Japanese : Language::English;
}

Language SystemLanguage() {
    return LanguageFor(LanguageList(), MessagesLocale());
}

Language CurrentLanguage() {
    return current;
}

void UseLanguage(Language language) {
    current = language;
}

} // namespace arbolink
