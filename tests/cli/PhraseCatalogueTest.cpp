// SPDX-License-Identifier: GPL-3.0-or-later
// Every text of the core's and the tool's catalogues, in both languages.
#include "AllPhrases.h"
#include "core/Phrase.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace arbolink {
namespace {

// The numbers of the placeholders a pattern holds ("%2 of %1" holds {1, 2}); "%%" is none.
std::set<int> PlaceholdersOf(const std::string& text) {
    std::set<int> numbers;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '%' && text[i + 1] == '%') {
            ++i;
        } else if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') {
            numbers.insert(text[i + 1] - '0');
        }
    }
    return numbers;
}

std::size_t DeclaredIn(const std::filesystem::path& header) {
    std::size_t count = 0;
    std::ifstream in(header);
    for (std::string line; std::getline(in, line);) {
        count += line.starts_with("ARBOLINK_PHRASE(") ? 1 : 0;
    }
    return count;
}

// How many texts the headers of the core and the tool declare, counted in their sources.
std::size_t DeclaredInSources() {
    const auto sources = std::filesystem::path(ARBOLINK_SOURCE_DIR);
    std::size_t count = 0;
    for (const char* folder : {"src/core", "cli"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(sources / folder)) {
            count += entry.path().extension() == ".h" ? DeclaredIn(entry.path()) : 0;
        }
    }
    return count;
}

// A text without its Japanese or its English, or whose two languages fill in different
// arguments, would show the user an empty or a wrong message in one of them.
TEST(PhraseCatalogue, EveryTextHasBothLanguagesWithTheSameArguments) {
    // Every text declared is looked at: a catalogue missing from the list would pass below.
    ASSERT_EQ(Phrases().size(), DeclaredInSources());
    for (const Phrase* phrase : Phrases()) {
        const std::string japanese = phrase->In(Language::Japanese);
        const std::string english = phrase->In(Language::English);
        EXPECT_FALSE(japanese.empty()) << phrase->Key();
        EXPECT_FALSE(english.empty()) << phrase->Key();
        EXPECT_NE(japanese, english) << phrase->Key() << " is not translated";
        const std::set<int> arguments = PlaceholdersOf(japanese);
        EXPECT_EQ(PlaceholdersOf(english), arguments) << phrase->Key();
        // %1 to %n, none skipped: a missing number would leave an argument unshown.
        EXPECT_TRUE(arguments.empty() || *arguments.rbegin() == static_cast<int>(arguments.size()))
            << phrase->Key();
    }
}

} // namespace
} // namespace arbolink
