// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Language.h"

#include <gtest/gtest.h>

namespace arbolink {
namespace {

TEST(Language, FollowsTheListThenTheLocale) {
    // The list decides where one of its entries names a language we speak.
    EXPECT_EQ(LanguageFor("ja", "C"), Language::Japanese);
    EXPECT_EQ(LanguageFor("en_US:ja", "ja_JP.UTF-8"), Language::English);
    EXPECT_EQ(LanguageFor("fr:de_DE:ja_JP", "en_US.UTF-8"), Language::Japanese);
    // Entries we do not speak, and names that merely start with "ja", leave it to the locale.
    EXPECT_EQ(LanguageFor("fr:jam", "ja_JP.eucJP"), Language::Japanese);
    EXPECT_EQ(LanguageFor("", "ja-JP"), Language::Japanese);
    EXPECT_EQ(LanguageFor("", "ja"), Language::Japanese);
    EXPECT_EQ(LanguageFor("::", "fr_FR.UTF-8"), Language::English);
    EXPECT_EQ(LanguageFor("", "C"), Language::English);
    EXPECT_EQ(LanguageFor("", ""), Language::English);
    EXPECT_EQ(LanguageFor("", "jam_XX"), Language::English);
}

} // namespace
} // namespace arbolink
