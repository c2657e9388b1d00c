// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FreeSpaceText.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <ostream>

namespace arbolink {
namespace {

struct Case {
    std::int64_t bytes;
    const char* number;
    const char* unit;
};

// Names the case by its byte count in test listings.
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.bytes << " bytes";
}

class FreeSpaceTextTest : public ::testing::TestWithParam<Case> {};

TEST_P(FreeSpaceTextTest, ChoosesTheUnitAndRoundsToOneDecimal) {
    const Case& c = GetParam();
    const FreeSpaceReadout readout = FreeSpaceText(c.bytes);
    EXPECT_EQ(readout.number, std::string(c.number) + "  ");
    EXPECT_EQ(readout.unit, c.unit);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FreeSpaceTextTest,
    ::testing::Values(
        // The unit changes only above a power of 1024, never at it.
        Case{1024, "1,024.0", "byte"}, Case{1025, "1.0", "Kbyte"},
        Case{1073741824, "1,024.0", "Mbyte"}, Case{1073741825, "1.0", "Gbyte"},
        Case{1048576, "1,024.0", "Kbyte"}, Case{1500000000, "1.4", "Gbyte"},
        Case{734003200, "700.0", "Mbyte"}, Case{0, "0.0", "byte"}, Case{999, "999.0", "byte"},
        // Half a tenth rounds up: 1536 + 51 bytes is 1.5498 Kbyte, 1536 + 52 is 1.5508.
        Case{1587, "1.5", "Kbyte"}, Case{1588, "1.6", "Kbyte"},
        // 1,048,575 bytes is 1023.999 Kbyte: the rounding carries into the thousands.
        Case{1048575, "1,024.0", "Kbyte"},
        // Thousands grouped in every place, up to the largest count there is.
        Case{1234567LL * 1073741824, "1,234,567.0", "Gbyte"},
        Case{INT64_MAX, "8,589,934,592.0", "Gbyte"}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::to_string(info.param.bytes); });

TEST(FreeSpaceOfFolderTest, ReadsTheDriveOfAnExistingFolder) {
    test::TempFolder folder;
    const FreeSpaceReadout readout = FreeSpaceOfFolder(folder.path());
    EXPECT_NE(readout.number, "Disk Error  ");
    EXPECT_FALSE(readout.unit.empty());
    EXPECT_EQ(readout.number.substr(readout.number.size() - 2), "  ");
}

TEST(FreeSpaceOfFolderTest, SaysDiskErrorWhenNoDriveAnswers) {
    for (const char* folder : {"", "relative/path"}) {
        const FreeSpaceReadout readout = FreeSpaceOfFolder(folder);
        EXPECT_EQ(readout.number, "Disk Error  ") << folder;
        EXPECT_EQ(readout.unit, "") << folder;
    }
}

} // namespace
} // namespace arbolink
