// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Quantities.h"

#include "core/Formatted.h"

#include <gtest/gtest.h>

namespace arbolink {
namespace {

TEST(Quantities, EnglishSizesFollowTheLocaleAndJapaneseOnesStayDigits) {
    // Japanese messages name the unit themselves; the digits never change with the locale.
    EXPECT_EQ(ByteCountText(1474560, Language::Japanese, ","), "1474560");
    EXPECT_EQ(RateText(12.5e6, Language::Japanese, ","), "12.5 MB/s");
    // English: units of 1000, the locale's decimal separator, and the exact count.
    EXPECT_EQ(ByteCountText(1474560, Language::English, ","), "1,5 MB (1474560 bytes)");
    EXPECT_EQ(ByteCountText(1474560, Language::English, "."), "1.5 MB (1474560 bytes)");
    EXPECT_EQ(ByteCountText(25'000'000'000, Language::English, "."), "25.0 GB (25000000000 bytes)");
    EXPECT_EQ(ByteCountText(999, Language::English, ","), "999 bytes");
    EXPECT_EQ(ByteCountText(1, Language::English, ","), "1 byte");
    // Rounding never shows 1000 of a unit: it is one of the next.
    EXPECT_EQ(ByteCountText(999'949, Language::English, "."), "999.9 kB (999949 bytes)");
    EXPECT_EQ(ByteCountText(999'960, Language::English, "."), "1.0 MB (999960 bytes)");
    EXPECT_EQ(RateText(850e3, Language::English, ","), "850,0 kB/s");
    EXPECT_EQ(RateText(12.5e6, Language::English, "."), "12.5 MB/s");
    // The free-space read-out: grouped with the comma in Japanese whatever the locale.
    EXPECT_EQ(GroupedTenthsText(10240, Language::Japanese, ",", "."), "1,024.0");
    EXPECT_EQ(GroupedTenthsText(12345678905, Language::English, ",", "."), "1.234.567.890,5");
    EXPECT_EQ(GroupedTenthsText(9999, Language::English, ".", ","), "999.9");
}

TEST(Formatted, FillsArgumentsWhereverTheLanguagePutsThem) {
    EXPECT_EQ(Formatted(std::string_view("%2 / %1"), "a", 7), "7 / a");
    EXPECT_EQ(Formatted(std::string_view("%1 and %1, 100%%"), "x"), "x and x, 100%");
    // A number without an argument, and a lone %, stay as they are.
    EXPECT_EQ(Formatted(std::string_view("%1 %3 %"), "x"), "x %3 %");
    EXPECT_EQ(Formatted(std::string_view("%1"), std::string("a%2b"), "no"), "a%2b");
}

} // namespace
} // namespace arbolink
