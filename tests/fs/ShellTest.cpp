// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Shell.h"

#include <gtest/gtest.h>

namespace arbolink {
namespace {

TEST(MailToText, AppendsCopySubjectAndBodyExactly) {
    EXPECT_EQ(MailToText("mailto:someone@example.invalid?"),
              "mailto:someone@example.invalid?cc= &subject=『Arbolink』Ver. 2.0 について&body= &");
    // The Japanese characters go as they are, in UTF-8, never percent-encoded.
    const std::string text = MailToText("");
    EXPECT_EQ(text.find('%'), std::string::npos);
    EXPECT_NE(text.find("\xE3\x80\x8E"
                        "Arbolink"
                        "\xE3\x80\x8F"),
              std::string::npos);
}

} // namespace
} // namespace arbolink
