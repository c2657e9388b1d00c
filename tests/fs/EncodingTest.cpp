// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Encoding.h"

#include <gtest/gtest.h>

namespace arbolink {
namespace {

TEST(Encoding, TellsUtf8FromOtherBytes) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain ascii"));
    EXPECT_TRUE(IsValidUtf8("表ソ€😀"));
    EXPECT_FALSE(IsValidUtf8("\x95\x5C"));     // 表 in CP932
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));     // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")); // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xE3\x81"));     // cut short
}

TEST(Encoding, DecodesShiftJis) {
    std::string text;
    ASSERT_TRUE(Cp932ToUtf8("\x95\x5C\x83\x5C"
                            "abc\x82\xA0",
                            text));
    EXPECT_EQ(text, "表ソabcあ");
    EXPECT_FALSE(Cp932ToUtf8("\x81", text)); // a lead byte without its trail
}

TEST(Encoding, UpperCasesLikeTheDiskFileSystems) {
    EXPECT_EQ(UpperCase("readme.txt"), "README.TXT");
    EXPECT_EQ(UpperCase("ärger ß ω"), "ÄRGER ß Ω"); // simple mapping keeps ß
    EXPECT_EQ(UpperCase("ａｂｃ表"), "ＡＢＣ表");
    EXPECT_EQ(UpperCase("bad\xff"), "BAD\xff");
}

TEST(Encoding, AppendsUpperCaseBehindWhatTheBufferHolds) {
    std::string out = "kept:";
    AppendUpperCase("ab\xC3", out); // a lead byte at the end stays as it is
    AppendUpperCase("-7z", out);    // ASCII after it never completes the sequence
    AppendUpperCase("mixed ä and ω, x\xffy", out);
    EXPECT_EQ(out, "kept:AB\xC3-7ZMIXED Ä AND Ω, X\xffY");
    EXPECT_EQ(out.substr(5), UpperCase("ab\xC3-7zmixed ä and ω, x\xffy"));
}

} // namespace
} // namespace arbolink
