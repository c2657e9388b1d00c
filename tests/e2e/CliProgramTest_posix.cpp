// SPDX-License-Identifier: GPL-3.0-or-later
// The arbolink-cli program itself: answers through a pipe, its exit status, and Ctrl+C.
#include "Arguments.h"
#include "CliExec_posix.h"
#include "CliMessages.h"
#include "CliProcess_posix.h"
#include "CliRun.h"
#include "core/Formatted.h"
#include "core/SetFormat.h"
#include "core/wFile/BurnMessages.h"
#include "core/wFile/WriteMessages.h"
#include "fs/Burner.h"
#include "support/TempFolder.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::CliResult;
using test::Program;
using test::RunCliWith;
using test::TempFolder;

TEST(CliProgram, AnswersComeThroughAPipe) {
    TempFolder root;
    root.WriteFile("src/a.txt", "a");
    root.MakeFolder("stage");
    Program divide({"divide", root / "src", "--disk-folders", root / "stage", "--capacity", "1M"});
    ASSERT_TRUE(divide.ReadUntil("[O] OK / [C] キャンセル: ")) << divide.err;
    divide.Type("o\n");
    EXPECT_EQ(divide.Wait(), 0) << divide.err;
    EXPECT_TRUE(stdfs::exists(root / ("stage/disk01/@dummy@/a.txt")));
}

TEST(CliProgram, BadUsageExitsTwoWithOneLine) {
    Program program({"divide", "--capacity"});
    EXPECT_EQ(program.Wait(), 2);
    EXPECT_EQ(program.err, "arbolink-cli: --capacity の後ろに値がありません（arbolink-cli "
                           "divide --help を参照）\n");
}

TEST(CliProgram, OutputThatCannotBeWrittenIsAFailure) {
    TempFolder root;
    root.WriteFile("src/a.txt", "a");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--help"},
             {"info", "--version"},
             {"plan", root / "src", "--cluster-size=512", "--free-bytes=100000", "--json"}}) {
        Program program(args, "/dev/full");
        EXPECT_EQ(program.Wait(), 1) << args.front();
        EXPECT_EQ(program.err, cli::msg::kOutputFailed) << args.front();
    }
}

// A man page of the tool, in English or in Japanese, with the names of its sections.
struct ManPage {
    const char* path;
    const char* options;               // the section that describes every option
    std::vector<const char*> sections; // sections every page has
    const char* environment;           // the section that names LANGUAGE
};

std::string ReadText(const char* path) {
    std::ifstream page(path);
    return {std::istreambuf_iterator<char>(page), {}};
}

// The text of the section that begins with heading, up to the next one.
std::string Section(const std::string& manual, const std::string& heading) {
    const std::size_t at = manual.find(heading + "\n");
    if (at == std::string::npos) {
        return "";
    }
    return manual.substr(at, manual.find("\n.SH ", at + 1) - at);
}

// The version --version tells is the one of both manual pages, and each page tells of every
// option the tool takes and of the variable that chooses its language.
TEST(CliProgram, VersionAndManualPageAgree) {
    TempFolder root;
    root.WriteFile("out", "");
    Program version({"restore", "a", "-V", "--bogus"}, (root / "out").c_str());
    ASSERT_EQ(version.Wait(), 0) << version.err;
    std::ifstream out(root / "out");
    std::string first;
    std::getline(out, first);
    const ManPage pages[] = {
        {ARBOLINK_CLI_MAN_PAGE, ".SH OPTIONS", {".SH FILES", ".SH EXIT STATUS"}, ".SH ENVIRONMENT"},
        {ARBOLINK_CLI_JA_MAN_PAGE,
         ".SH オプション",
         {".SH ファイル", ".SH 終了ステータス"},
         ".SH 環境変数"}};
    for (const ManPage& page : pages) {
        SCOPED_TRACE(page.path);
        const std::string manual = ReadText(page.path);
        const std::string th = ".TH ARBOLINK-CLI 1 \"";
        const std::size_t at = manual.find(th);
        ASSERT_NE(at, std::string::npos);
        const std::size_t dated = manual.find("\" \"Arbolink ", at + th.size());
        ASSERT_NE(dated, std::string::npos);
        const std::size_t from = dated + std::string("\" \"Arbolink ").size();
        const std::string pageVersion = manual.substr(from, manual.find('"', from) - from);
        EXPECT_FALSE(pageVersion.empty());
        EXPECT_EQ(first, "arbolink-cli (Arbolink) " + pageVersion);
        const std::string described = Section(manual, page.options);
        ASSERT_FALSE(described.empty()) << page.options;
        for (const cli::Option& option : cli::AllOptions()) {
            std::string roff;
            for (char c : option.name) {
                roff += c == '-' ? "\\-" : std::string(1, c);
            }
            // The whole name, not the start of a longer one ("--program" of "--program-copy").
            std::size_t at = described.find(roff);
            while (at != std::string::npos &&
                   described.find_first_of("\\abcdefghijklmnopqrstuvwxyz", at + roff.size()) ==
                       at + roff.size()) {
                at = described.find(roff, at + 1);
            }
            EXPECT_NE(at, std::string::npos) << option.name;
        }
        for (const char* section : page.sections) {
            EXPECT_FALSE(Section(manual, section).empty()) << section;
        }
        EXPECT_NE(Section(manual, page.environment).find(".B LANGUAGE\n"), std::string::npos);
    }
}

// A name may hold a TAB, quotes and other control characters: the rows keep five fields, and
// the JSON output gives the exact name. Windows allows neither in a name.
TEST(CliProgram, ScriptsGetEveryNameWhole) {
    TempFolder root;
    root.WriteFile("src/tab\there.txt", "1");
    root.WriteFile("src/say \"hi\" \x01.txt", "22");
    const std::vector<std::string> plan{"plan", root / "src", "--cluster-size=512",
                                        "--free-bytes=100000"};
    CliResult rows = RunCliWith(plan);
    ASSERT_EQ(rows.code, 0) << rows.err;
    EXPECT_EQ(rows.out, "\tsay \"hi\" \u2401.txt\tsay _hi_ _.txt\t2\t1\n"
                        "\ttab\u2409here.txt\ttab_here.txt\t1\t1\n"
                        "disks\t1\n"
                        "lower-bound\t1\n"
                        "usage\t6\n"
                        "index-reserve\t1\n");
    std::vector<std::string> json = plan;
    json.push_back("--json");
    CliResult object = RunCliWith(json);
    ASSERT_EQ(object.code, 0) << object.err;
    EXPECT_EQ(object.out, "{\n  \"files\": [\n"
                          "    {\"folder\": \"\", \"name\": \"say \\\"hi\\\" \\u0001.txt\", "
                          "\"stored-name\": \"say _hi_ _.txt\", \"size\": 2, \"disk\": 1},\n"
                          "    {\"folder\": \"\", \"name\": \"tab\\there.txt\", \"stored-name\": "
                          "\"tab_here.txt\", \"size\": 1, \"disk\": 1}\n"
                          "  ],\n  \"disks\": 1,\n  \"lower-bound\": 1,\n  \"usage\": [6],\n  "
                          "\"index-reserve\": 1\n}\n");
}

// Every disk checks with coreutils alone: sha256sum -c on its checksum list passes, and fails
// once a byte of one stored file has changed.
TEST(CliProgram, EveryDiskChecksWithSha256sumAlone) {
    TempFolder root;
    for (int i = 1; i <= 4; ++i) {
        root.WriteFile("src/dir " + std::to_string(i) + "/f.bin", test::Contents(30'000, i));
    }
    root.WriteFile("src/'quote' & $x.txt", "shell words");
    Program divide({"divide", root / "src", "--disk-folders", root / "stage", "--capacity", "40K",
                    "--cluster-size", "512", "--yes"});
    ASSERT_EQ(divide.Wait(), 0) << divide.err;
    auto check = [&](int disk) {
        const std::string folder = root / ("stage/disk0" + std::to_string(disk) + "/@dummy@");
        return std::system(("cd '" + folder + "' && sha256sum --quiet --strict -c " +
                            kChecksumListName + " >/dev/null 2>&1")
                               .c_str());
    };
    ASSERT_TRUE(stdfs::exists(root / "stage/disk02"));
    for (int disk = 1; stdfs::exists(root / ("stage/disk0" + std::to_string(disk))); ++disk) {
        EXPECT_EQ(check(disk), 0) << "disk " << disk;
    }
    std::fstream stored(root / "stage/disk01/@dummy@/f.bin",
                        std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(stored);
    stored.seekp(1000);
    stored.put('\xff');
    stored.close();
    EXPECT_NE(check(1), 0);
}

TEST(CliProgram, CtrlCAtAQuestionEndsTheCommandAsTheUsersAbort) {
    TempFolder root;
    root.WriteFile("src/a.txt", "a");
    root.MakeFolder("stage");
    Program divide({"divide", root / "src", "--disk-folders", root / "stage", "--capacity", "1M"});
    ASSERT_TRUE(divide.ReadUntil("[O] OK / [C] キャンセル: ")) << divide.err;
    divide.Interrupt();
    EXPECT_EQ(divide.Wait(), 3) << divide.err;
    EXPECT_NE(divide.err.find("キャンセル（Ctrl+C）"), std::string::npos) << divide.err;
    EXPECT_FALSE(stdfs::exists(root / "stage/disk01"));
}

// Ctrl+C at the request for the second disk: the run ends as on Abort, and its closing
// message names the files that did not come back.
TEST(CliProgram, CtrlCAtTheSwapQuestionNamesTheFilesNotRestored) {
    TempFolder root;
    root.WriteFile("src/one.bin", test::Contents(30'000, 1));
    root.WriteFile("src/two.bin", test::Contents(30'000, 2));
    Program divide({"divide", root / "src", "--disk-folders", root / "stage", "--capacity", "40K",
                    "--cluster-size", "512", "--yes"});
    ASSERT_EQ(divide.Wait(), 0) << divide.err;
    ASSERT_TRUE(stdfs::exists(root / "stage/disk02"));
    root.MakeFolder("out");
    Program restore({"restore", root / "stage/disk01/@dummy@", root / "out"});
    ASSERT_TRUE(restore.ReadUntil("[Y] はい / [A] 中止: ")) << restore.err;
    restore.Interrupt();
    EXPECT_EQ(restore.Wait(), 3) << restore.err;
    EXPECT_NE(restore.err.find("中止（Ctrl+C）"), std::string::npos) << restore.err;
    EXPECT_NE(restore.err.find(
                  "[警告] 復元を中止しました。\n\n復元されなかったファイルが 1 個あります。\n"),
              std::string::npos)
        << restore.err;
    // The file of disk 1 is back, the other is named.
    int back = 0;
    for (const char* name : {"one.bin", "two.bin"}) {
        const bool there = stdfs::exists(root / ("out/" + std::string(name)));
        back += there ? 1 : 0;
        EXPECT_EQ(restore.err.find(std::string("\n") + name + "\n") != std::string::npos, !there)
            << name;
    }
    EXPECT_EQ(back, 1);
}

TEST(CliProgram, CtrlCDuringACopyLeavesNoPartialFile) {
    TempFolder root;
    constexpr std::size_t kFileBytes = 64 * 1024 * 1024;
    const std::string contents = test::Contents(kFileBytes, 7);
    for (int i = 1; i <= 4; ++i) {
        root.WriteFile("src/f" + std::to_string(i), contents);
    }
    Program divide(
        {"divide", root / "src", "--disk-folders", root / "stage", "--capacity", "1G", "--yes"});
    // The copy dialog is up: the copying has begun.
    ASSERT_TRUE(divide.ReadUntil("複写中．．． 0%")) << divide.err;
    divide.Interrupt();
    EXPECT_EQ(divide.Wait(), 3) << divide.err;
    EXPECT_NE(divide.err.find("[警告] 途中でキャンセルされました。"), std::string::npos)
        << divide.err;
    int complete = 0;
    for (const auto& entry : stdfs::directory_iterator(root / "stage/disk01/@dummy@")) {
        const std::string name = entry.path().filename().string();
        if (IsSetFileName(name)) {
            continue;
        }
        EXPECT_EQ(entry.file_size(), kFileBytes) << name << " is left half copied";
        ++complete;
    }
    EXPECT_LT(complete, 4) << "the copy ended before Ctrl+C";
}

// Ctrl+C while a disc is burnt stops the burn: the disc is told to be spoiled (its image is
// gone) and the divide ends as cancelled. The disc library must leave Ctrl+C to the program.
TEST(CliProgram, CtrlCDuringABurnSpoilsTheDiscAndSaysSo) {
    if (!BurningBuilt()) {
        GTEST_SKIP() << "built without libburn and libisofs";
    }
    TempFolder root;
    const std::string contents = test::Contents(64 * 1024 * 1024, 8);
    for (int i = 1; i <= 4; ++i) {
        root.WriteFile("src/f" + std::to_string(i), contents);
    }
    const std::string drive = "stdio:" + root / "set.iso";
    Program divide({"divide", root / "src", "--burn", drive, "--capacity", "1G", "--disk-folders",
                    root / "stage", "--yes"});
    // The burn's own progress is shown: the disc library is at work.
    ASSERT_TRUE(divide.ReadUntil("MB　バッファ ")) << divide.err;
    divide.Interrupt();
    EXPECT_EQ(divide.Wait(), 3) << divide.err;
    const std::string image = root / "set-01.iso";
    EXPECT_NE(divide.err.find(Formatted(msg::kBurnCancelled, ("stdio:" + image).c_str())),
              std::string::npos)
        << divide.err;
    EXPECT_EQ(divide.err.find(msg::kCopyFinished), std::string::npos) << divide.err;
    EXPECT_FALSE(stdfs::exists(image));
}

} // namespace
} // namespace arbolink
