// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputText.h"

#include <gtest/gtest.h>

namespace arbolink::cli {
namespace {

TEST(OutputText, JsonStringsAreValidWhateverTheNameHolds) {
    EXPECT_EQ(JsonString("a\"b\\c/d"), R"("a\"b\\c/d")");
    EXPECT_EQ(JsonString(std::string("\n\t\r\x01\x1f\x7f\0z", 8)),
              R"("\n\t\u000d\u0001\u001f\u007f\u0000z")");
    EXPECT_EQ(JsonString("表 😀 한글"), "\"表 😀 한글\"");
    // Each byte that is not part of a whole, shortest, non-surrogate sequence becomes U+FFFD,
    // and the valid sequence after it is kept.
    EXPECT_EQ(JsonString("\xff|\xe3\x81|\xc0\xaf|\xed\xa0\x80|\xe3表|\xf4\x90\x80\x80"),
              "\"\uFFFD|\uFFFD\uFFFD|\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD|\uFFFD表|"
              "\uFFFD\uFFFD\uFFFD\uFFFD\"");
    EXPECT_EQ(JsonNumber("1024"), "1024");
    for (const char* notANumber : {"", "-", "01", "1e3", "12a", " 1"}) {
        EXPECT_EQ(JsonNumber(notANumber), "null") << notANumber;
    }
}

TEST(OutputText, ATsvFieldHoldsNoSeparator) {
    EXPECT_EQ(TsvField("a\tb\nc\rd\x01"
                       "e\\f"),
              "a␉b␊c␍d␁e\\f");
    EXPECT_EQ(TsvField("表 😀"), "表 😀");
}

} // namespace
} // namespace arbolink::cli
