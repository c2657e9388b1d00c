#include "Arguments.h"

#include "CliMessages.h"

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
        EXPECT_EQ(error->pattern, c.pattern) << c.args.front();
        EXPECT_EQ(error->subject, c.subject);
    }
}

TEST(Arguments, PathsBecomeAbsolute) {
    EXPECT_EQ(AbsolutePath(""), "");
    EXPECT_EQ(AbsolutePath("/a/b/"), "/a/b/");
    const std::string relative = AbsolutePath("a/b");
    EXPECT_EQ(relative.front(), '/');
    EXPECT_TRUE(relative.ends_with("/a/b"));
}

} // namespace
} // namespace arbolink::cli
