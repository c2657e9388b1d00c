#include "Arguments.h"

#include "CliMessages.h"
#include "fs/Folders.h"
#include "fs/Utf8Path.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace arbolink::cli {
namespace {

const OptionSpec kSpec{{"--yes"}, {"--capacity"}, {"--from"}};

TEST(Arguments, SortsOperandsFlagsAndValues) {
    Arguments parsed;
    EXPECT_FALSE(ParseArguments({"a", "--yes", "--capacity", "25G", "--from", "x", "b", "--from=y",
                                 "--", "--not-an-option"},
                                kSpec, parsed));
    EXPECT_EQ(parsed.operands, (std::vector<std::string>{"a", "b", "--not-an-option"}));
    EXPECT_TRUE(parsed.Has("--yes"));
    EXPECT_EQ(parsed.Value("--capacity"), "25G");
    EXPECT_EQ(parsed.All("--from"), (std::vector<std::string>{"x", "y"}));
    EXPECT_FALSE(parsed.help);
    EXPECT_FALSE(parsed.Has("--help"));
}

TEST(Arguments, HelpStopsTheSorting) {
    Arguments parsed;
    EXPECT_FALSE(ParseArguments({"--help", "--bogus"}, kSpec, parsed));
    EXPECT_TRUE(parsed.help);
}

TEST(Arguments, NamesWhatIsWrong) {
    struct Case {
        std::vector<std::string> args;
        const char* pattern;
        std::string subject;
    };
    for (const Case& c : std::vector<Case>{
             {{"--bogus"}, msg::kUnknownOption, "--bogus"},
             {{"--yes=1"}, msg::kUnknownOption, "--yes=1"},
             {{"--capacity"}, msg::kMissingValue, "--capacity"},
             {{"--capacity", "1", "--capacity=2"}, msg::kRepeatedOption, "--capacity"},
         }) {
        Arguments parsed;
        std::optional<UsageError> error = ParseArguments(c.args, kSpec, parsed);
        ASSERT_TRUE(error) << c.args.front();
        EXPECT_STREQ(error->pattern, c.pattern) << c.args.front();
        EXPECT_EQ(error->subject, c.subject);
    }
}

TEST(Arguments, PathsBecomeAbsolute) {
    EXPECT_EQ(AbsolutePath(""), "");
    // An absolute path stays as written, closing separator and all, whether or not it exists.
    test::TempFolder folder;
    const std::string absolute = AddBackslash(folder / "not there");
    EXPECT_EQ(AbsolutePath(absolute), absolute);
    // A relative one is taken in the current folder, whatever characters its names hold.
    for (const std::string relative : {"a/b", "分割 한글/表 😀"}) {
        EXPECT_EQ(PathOf(AbsolutePath(relative)),
                  std::filesystem::current_path() / PathOf(relative))
            << relative;
    }
}

} // namespace
} // namespace arbolink::cli
