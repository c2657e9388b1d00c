// SPDX-License-Identifier: GPL-3.0-or-later
#include "ByteSize.h"

#include <gtest/gtest.h>
#include <optional>

namespace arbolink::cli {
namespace {

TEST(ByteSize, MediaSizesAreDecimalAndBinaryUnitsHaveAnI) {
    EXPECT_EQ(ParseByteSize("1440K"), 1'440'000);
    EXPECT_EQ(ParseByteSize("4.7G"), 4'700'000'000);
    EXPECT_EQ(ParseByteSize("25G"), 25'000'000'000);
    EXPECT_EQ(ParseByteSize("650MB"), 650'000'000);
    EXPECT_EQ(ParseByteSize("1440Ki"), 1'474'560);
    EXPECT_EQ(ParseByteSize("1.5KiB"), 1536);
    EXPECT_EQ(ParseByteSize("2Ti"), 2'199'023'255'552);
    EXPECT_EQ(ParseByteSize("4.7g"), 4'700'000'000);
    EXPECT_EQ(ParseByteSize("1474560"), 1'474'560);
    EXPECT_EQ(ParseByteSize("512B"), 512);
    EXPECT_EQ(ParseByteSize(".5K"), 500);
}

TEST(ByteSize, WrittenSizesFitTheMediaTheyName) {
    // Free bytes of a formatted 1.44 MB floppy, a DVD-R and a single-layer BD-R.
    EXPECT_LE(*ParseByteSize("1440K"), 1'457'664);
    EXPECT_LE(*ParseByteSize("4.7G"), 4'707'319'808);
    EXPECT_LE(*ParseByteSize("25G"), 25'025'314'816);
}

TEST(ByteSize, AFractionOfAByteIsDropped) {
    EXPECT_EQ(ParseByteSize("1.0009K"), 1000);
    EXPECT_EQ(ParseByteSize("0.9999"), std::nullopt); // nothing left
    EXPECT_EQ(ParseByteSize("1.23456789012345678901234567890G"), 1'234'567'890);
}

TEST(ByteSize, RefusesWhatIsNoSize) {
    for (const char* text : {"", "K", "G4", "4.7X", "4.7 G", "-1K", "1e9", "1..5K", "1KK", "1iK",
                             "1Bi", "0", "0K", "9223372036854775808", "9300000T", "8Ei"}) {
        EXPECT_EQ(ParseByteSize(text), std::nullopt) << text;
    }
    EXPECT_EQ(ParseByteSize("9223372036854775807"), INT64_MAX);
}

} // namespace
} // namespace arbolink::cli
