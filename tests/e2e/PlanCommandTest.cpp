// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanCommand.h"

#include "Cli.h"
#include "CliMessages.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace arbolink {
namespace {

using test::ScriptedHost;
using test::TempFolder;

// Runs the plan command and answers what it printed on standard output and standard error.
struct PlanRun {
    int code = 0;
    std::string out;
    std::string err;
};

std::string Drain(std::FILE* file) {
    std::rewind(file);
    std::string text;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, file)) {
        text.append(buffer, n);
    }
    std::fclose(file);
    return text;
}

PlanRun Plan(const std::vector<std::string>& args, ScriptedHost& host) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    PlanRun run;
    cli::Arguments parsed;
    EXPECT_FALSE(cli::ParseArguments(args, cli::FindCommand("plan")->options, parsed));
    run.code = cli::RunPlanCommand(parsed, host, out, err);
    run.out = Drain(out);
    run.err = Drain(err);
    return run;
}

TEST(PlanCommand, PrintsTheTableDisksUsageAndReserve) {
    TempFolder source;
    source.WriteFile("docs/report.txt", std::string(1000, 'r'));
    source.WriteFile("report.txt", std::string(600, 'r'));
    source.WriteFile("tiny", "t");
    TempFolder install;
    install.WriteFile("arbolink", std::string(512, 'p'));
    ScriptedHost host;
    // 7168 free bytes at 50 % of 512-byte clusters: capacity 7, less 1 for the index. Each
    // disk's tally starts at the reservation again, with the identity and the map, and counts
    // its checksum list; disk 1 also holds the program.
    PlanRun run = Plan({source.path(), "--cluster-size", "512", "--free-bytes", "7168", "--percent",
                        "50", "--program", install / "arbolink"},
                       host);
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "docs\\\treport.txt\treport.txt\t1000\t2\n"
                       "\treport.txt\treport.txt-0\t600\t3\n"
                       "\ttiny\ttiny\t1\t4\n"
                       "main body\tarbolink\tarbolink\t512\t1\n"
                       "disks\t4\n"
                       "lower-bound\t3\n"
                       "usage\t5\t6\t6\t5\n"
                       "index-reserve\t1\n");
    EXPECT_TRUE(host.dialogs.empty());

    // Packed tightly, the tiny file fills the gap beside the program on disk 1, and the plan
    // reaches the bound: 7 clusters of files and lines over the 3 a disk has beside its
    // reservations.
    PlanRun tight = Plan({source.path(), "--cluster-size", "512", "--free-bytes", "7168",
                          "--percent", "50", "--program", install / "arbolink", "--pack", "tight"},
                         host);
    ASSERT_EQ(tight.code, 0) << tight.err;
    EXPECT_EQ(tight.out, "docs\\\treport.txt\treport.txt\t1000\t2\n"
                         "\treport.txt\treport.txt-0\t600\t3\n"
                         "\ttiny\ttiny\t1\t1\n"
                         "main body\tarbolink\tarbolink\t512\t1\n"
                         "disks\t3\n"
                         "lower-bound\t3\n"
                         "usage\t6\t6\t6\n"
                         "index-reserve\t1\n");

    PlanRun unknown = Plan(
        {source.path(), "--cluster-size", "512", "--free-bytes", "7168", "--pack", "loose"}, host);
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("--pack"), std::string::npos) << unknown.err;
    EXPECT_TRUE(unknown.out.empty());
}

TEST(PlanCommand, DriveRootTakesAClusterAndFailuresExitNonZero) {
    TempFolder source;
    source.WriteFile("f", std::string(1024, 'f'));
    ScriptedHost fits;
    EXPECT_EQ(
        Plan({source.path(), "--cluster-size", "512", "--free-bytes", "3584", "--percent", "100"},
             fits)
            .code,
        0);
    ScriptedHost root;
    PlanRun tooLarge = Plan({source.path(), "--cluster-size", "512", "--free-bytes", "3584",
                             "--percent", "100", "--drive-root"},
                            root);
    EXPECT_EQ(tooLarge.code, 1);
    EXPECT_TRUE(tooLarge.out.empty());
    ASSERT_EQ(root.dialogs.size(), 1u);
    EXPECT_EQ(root.dialogs[0].kind, DialogKind::Warning);

    ScriptedHost usage;
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{},
          {source.path()},
          {source.path(), "--cluster-size", "0", "--free-bytes", "1"},
          {source.path(), "--cluster-size", "512", "--free-bytes", "x"},
          {source.path(), "--cluster-size", "512", "--free-bytes", "1", "--percent", "101"}}) {
        PlanRun run = Plan(bad, usage);
        EXPECT_EQ(run.code, 2);
        EXPECT_TRUE(run.err.starts_with(cli::msg::kUsagePrefix)) << run.err;
    }
    PlanRun missing =
        Plan({source / "missing", "--cluster-size", "512", "--free-bytes", "1"}, usage);
    EXPECT_EQ(missing.code, 1);
}

} // namespace
} // namespace arbolink
