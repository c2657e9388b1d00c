// SPDX-License-Identifier: GPL-3.0-or-later
#include "Arguments.h"

#include "CliMessages.h"
#include "fs/Folders.h"
#include "fs/Utf8Path.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace arbolink::cli {
namespace {

const std::vector<std::string_view> kSpec{"--yes", "--capacity", "--from"};

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

// The conventions every command shares: letters, "--", "=value", help and version anywhere.
TEST(Arguments, FollowTheConventionsOfCommandLineTools) {
    Arguments letters;
    EXPECT_FALSE(ParseArguments({"-y", "a", "-", "--from=--yes", "--capacity=", "--", "-y", "--x"},
                                kSpec, letters));
    EXPECT_TRUE(letters.Has("--yes"));
    EXPECT_EQ(letters.operands, (std::vector<std::string>{"a", "-", "-y", "--x"}));
    EXPECT_EQ(letters.All("--from"), (std::vector<std::string>{"--yes"}));
    EXPECT_EQ(letters.Value("--capacity"), "");

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"a", "--help", "--bogus"}, {"-yh", "--bogus"}, {"--capacity", "1", "-h"}}) {
        Arguments parsed;
        EXPECT_FALSE(ParseArguments(args, kSpec, parsed)) << args.front();
        EXPECT_TRUE(parsed.help && !parsed.version) << args.front();
    }
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"a", "b", "-V", "-x"}, {"--version"}}) {
        Arguments parsed;
        EXPECT_FALSE(ParseArguments(args, kSpec, parsed)) << args.front();
        EXPECT_TRUE(parsed.version && !parsed.help) << args.front();
    }
    Arguments ended;
    EXPECT_FALSE(ParseArguments({"--", "--help", "-V"}, kSpec, ended));
    EXPECT_FALSE(ended.help || ended.version);
    EXPECT_EQ(ended.operands, (std::vector<std::string>{"--help", "-V"}));
}

TEST(Arguments, NamesWhatIsWrong) {
    struct Case {
        std::vector<std::string> args;
        const Phrase& pattern;
        std::string subject;
    };
    for (const Case& c : std::vector<Case>{
             {{"--bogus"}, msg::kUnknownOption, "--bogus"},
             {{"--bogus=1"}, msg::kUnknownOption, "--bogus"},
             {{"-x", "--help"}, msg::kUnknownOption, "-x"},
             {{"-yx"}, msg::kUnknownOption, "-x"},
             // Known to the tool, but not taken by this command.
             {{"--percent", "5"}, msg::kUnknownOption, "--percent"},
             {{"--yes=1"}, msg::kFlagWithValue, "--yes"},
             {{"--capacity"}, msg::kMissingValue, "--capacity"},
             {{"--capacity", "1", "--capacity=2"}, msg::kRepeatedOption, "--capacity"},
         }) {
        Arguments parsed;
        std::optional<UsageError> error = ParseArguments(c.args, kSpec, parsed);
        ASSERT_TRUE(error) << c.args.front();
        EXPECT_EQ(&error->pattern.get(), &c.pattern) << c.args.front();
        EXPECT_EQ(error->subject, c.subject);
        EXPECT_FALSE(parsed.help);
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
