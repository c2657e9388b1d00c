// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manual's first page, for tests that check it explains every message in its own words.

#include "core/Language.h"

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

// Every piece of the message between its printf directives stands in the page as it is,
// line breaks included (the page shows messages in pre-wrapped blocks).
inline void ExpectInManual(const std::string& html, const char* name, const char* message) {
    static const std::regex directive("%(lld|d|s)");
    const std::string text = message;
    for (std::sregex_token_iterator piece(text.begin(), text.end(), directive, -1), end;
         piece != end; ++piece) {
        if (piece->length() > 0) {
            EXPECT_NE(html.find(HtmlEscaped(*piece)), std::string::npos)
                << name << ": \"" << *piece << "\" is not in the manual";
        }
    }
}

} // namespace arbolink::test
