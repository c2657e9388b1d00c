// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manual's first page, for tests that check it explains every message in its own words.

#include "core/Language.h"
#include "core/Phrase.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>

namespace arbolink::test {

// The folder of the manual in a language: the Japanese one, or its folder "en".
inline std::filesystem::path ManualFolder(Language language) {
    const std::filesystem::path manual = std::filesystem::path(ARBOLINK_SOURCE_DIR) / "docs/manual";
    return language == Language::English ? manual / "en" : manual;
}

inline std::string ManualHtml(Language language = Language::Japanese) {
    std::ifstream in(ManualFolder(language) / "index.html", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string HtmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    }
    return out;
}

// Every piece of the message between its placeholders (%1, or printf's %s) stands in the page as it
// is, line breaks included (the page shows messages in pre-wrapped blocks).
inline void ExpectInManual(const std::string& html, const char* name, const std::string& text,
                           const char* manual = "the manual") {
    static const std::regex directive("%(lld|d|s|[1-9])");
    for (std::sregex_token_iterator piece(text.begin(), text.end(), directive, -1), end;
         piece != end; ++piece) {
        if (piece->length() > 0) {
            EXPECT_NE(html.find(HtmlEscaped(*piece)), std::string::npos)
                << name << ": \"" << *piece << "\" is not in " << manual;
        }
    }
}

// A catalogue text in both manuals: its Japanese in the Japanese page (html), its English in
// the English one.
inline void ExpectInManuals(const std::string& html, const char* name, const Phrase& phrase) {
    static const std::string english = ManualHtml(Language::English);
    ExpectInManual(html, name, phrase.In(Language::Japanese));
    ExpectInManual(english, name, phrase.In(Language::English), "the English manual");
}

// A text of the window, which Qt translates: it stands in the Japanese page.
inline void ExpectInManuals(const std::string& html, const char* name, const char* text) {
    ExpectInManual(html, name, text);
}

} // namespace arbolink::test
