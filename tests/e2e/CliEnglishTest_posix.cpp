// SPDX-License-Identifier: GPL-3.0-or-later
// arbolink-cli for a user whose locale is not Japanese: the program itself, started with
// LANGUAGE=en, speaks English from its help to its closing lines, and takes the same letters.
#include "CliMessages.h"
#include "CliProcess_posix.h"
#include "CliRun.h"
#include "support/ScopedVariable_posix.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::Program;
using test::ScopedVariable;
using test::TempFolder;

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string ContentsOf(const stdfs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(CliEnglish, HelpQuestionsDivideAndRestoreAreInEnglish) {
    ScopedVariable language("LANGUAGE", "en");
    ScopedVariable all("LC_ALL", nullptr);
    TempFolder root;
    root.WriteFile("src/a.txt", "a");
    root.WriteFile("src/docs/b.txt", "bb");
    root.WriteFile("help", "");
    root.WriteFile("version", "");
    root.MakeFolder("stage");

    Program help({"--help"}, (root / "help").c_str());
    EXPECT_EQ(help.Wait(), 0) << help.err;
    const std::string helpText = ContentsOf(root / "help");
    EXPECT_EQ(helpText, cli::msg::kHelp.In(Language::English));
    EXPECT_TRUE(helpText.starts_with("Usage: arbolink-cli <command> [options]\n")) << helpText;

    Program version({"--version"}, (root / "version").c_str());
    EXPECT_EQ(version.Wait(), 0) << version.err;
    const std::string versionText = ContentsOf(root / "version");
    EXPECT_NE(versionText.find("\nThis is free software: you are free to change and "
                               "redistribute it.\n"),
              std::string::npos)
        << versionText;

    Program bad({"divide", "--capacity"});
    EXPECT_EQ(bad.Wait(), 2);
    EXPECT_EQ(bad.err, "arbolink-cli: --capacity needs a value (see arbolink-cli divide --help)\n");

    // A question answered with the letter of its button, the same as in Japanese.
    Program divide({"divide", root / "src", "--disk-folders", root / "stage", "--capacity", "1M"});
    ASSERT_TRUE(divide.ReadUntil("[Confirm] Disks needed: 1. Please have them ready.\n"
                                 "[O] OK / [C] Cancel: "))
        << divide.err;
    divide.Type("o\n");
    EXPECT_EQ(divide.Wait(), 0) << divide.err;
    EXPECT_NE(divide.err.find("\nAssigning files to disks 100%\n"), std::string::npos)
        << divide.err;
    EXPECT_TRUE(divide.err.ends_with("[Arbolink] The files have been copied\n")) << divide.err;
    EXPECT_TRUE(IsAscii(divide.err)) << divide.err;

    Program restore({"restore", "--from", root / "stage/disk01", root / "out"});
    ASSERT_TRUE(restore.ReadUntil("[Confirm] The restore destination folder does not exist.\n\n"
                                  "Create it?\n[Y] Yes / [N] No: "))
        << restore.err;
    restore.Type("y\n");
    EXPECT_EQ(restore.Wait(), 0) << restore.err;
    EXPECT_TRUE(restore.err.ends_with("[Arbolink] The files have been copied\n")) << restore.err;
    EXPECT_TRUE(IsAscii(restore.err)) << restore.err;
    EXPECT_EQ(test::TreeOf(root / "out"), test::TreeOf(root / "src"));
}

} // namespace
} // namespace arbolink
