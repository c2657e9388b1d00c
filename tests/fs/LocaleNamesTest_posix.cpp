// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/LocaleNames.h"

#include "core/Language.h"
#include "core/Quantities.h"
#include "support/ScopedLanguage.h"
#include "support/ScopedVariable_posix.h"

#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>

namespace arbolink {
namespace {

using test::ScopedVariable;

// The number format is the user's LC_NUMERIC, read without changing the process's C locale,
// in which every number written to a file keeps its point.
TEST(LocaleNames, EnglishSizesTakeTheDecimalSeparatorOfTheUsersLocale) {
    ScopedVariable all("LC_ALL", nullptr);
    ScopedVariable lang("LANG", "C.UTF-8");
    {
        ScopedVariable numbers("LC_NUMERIC", "C.UTF-8");
        EXPECT_EQ(DecimalSeparator(), ".");
    }
    ScopedVariable numbers("LC_NUMERIC", "de_DE.UTF-8");
    const locale_t german = newlocale(LC_NUMERIC_MASK, "de_DE.UTF-8", static_cast<locale_t>(0));
    if (german == static_cast<locale_t>(0)) {
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/setup.sh makes it)";
    }
    freelocale(german);
    EXPECT_EQ(DecimalSeparator(), ",");
    EXPECT_EQ(GroupSeparator(), ".");
    {
        test::ScopedLanguage english(Language::English);
        EXPECT_EQ(GroupedTenthsText(10240), "1.024,0");
        EXPECT_EQ(ByteCountText(1474560), "1,5 MB (1474560 bytes)");
        EXPECT_EQ(RateText(850e3), "850,0 kB/s");
    }
    EXPECT_EQ(ByteCountText(1474560), "1474560");
    EXPECT_EQ(GroupedTenthsText(10240), "1,024.0");
    EXPECT_EQ(RateText(12.5e6), "12.5 MB/s");
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.1f", 1.5);
    EXPECT_STREQ(printed, "1.5");
}

} // namespace
} // namespace arbolink
