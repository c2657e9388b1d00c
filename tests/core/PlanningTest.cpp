// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/divide/Planning.h"

#include "PlanningTestSupport.h"
#include "fs/Folders.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace arbolink {
namespace {

using test::Event;
using test::RequestFor;
using test::ScriptedHost;
using test::TempFolder;
using ::testing::ElementsAre;

TEST(Capacity, ShareOfFreeSpaceInClustersTakenUp) {
    EXPECT_EQ(CapacityInClusters(1457664, 95, 512), 2705); // 2704.65
    EXPECT_EQ(CapacityInClusters(1457664, 0, 512), 0);
    EXPECT_EQ(CapacityInClusters(512 * 100, 100, 512), 100);
    EXPECT_EQ(CapacityInClusters(std::int64_t{64} << 40, 95, 4096), 16320875725LL); // 16320875724.8
}

TEST(Planning, RunsTheStagesBehindTheDialogAndLeavesAPlan) {
    TempFolder source;
    source.WriteFile("big", std::string(3 * 512, 'b'));
    source.WriteFile("a/same.txt", std::string(512, 'x'));
    source.WriteFile("b/same.txt", "y");
    ScriptedHost host;
    PlanningValues values;
    ASSERT_EQ(RunPlanning(values, host, RequestFor(source, 8)), PlanOutcome::Complete);

    EXPECT_EQ(values.FileCount, 3);
    EXPECT_EQ(values.DiskCount, 2);
    EXPECT_EQ(values.IndexReserve, 1); // three short lines fit one cluster
    // Each disk: the index, the identity, the map and its checksum list take a cluster each.
    EXPECT_THAT(values.DiskUsage, ElementsAre("7", "6"));
    EXPECT_EQ(values.Table.Cell(Name, 0), "big");
    EXPECT_EQ(values.Table.Number(Disk, 0), 1);
    EXPECT_EQ(values.Table.Cell(StoredName, 2), "same.txt-0");
    EXPECT_EQ(values.SourceRoot, AddBackslash(source.path()));
    EXPECT_EQ(values.DestRoot, AddBackslash("/media/stick"));
    EXPECT_TRUE(host.dialogs.empty());

    ASSERT_EQ(host.progress.size(), 1u);
    const test::ProgressRecord& dialog = *host.progress[0];
    EXPECT_EQ(dialog.caption, "準備中．．．");
    EXPECT_EQ(dialog.message, "ディスクの必要枚数を\n\n確認しています");
    EXPECT_THAT(dialog.stages, ElementsAre("ファイルをチェック中", "ファイルをソート中",
                                           "同名ファイルのチェック中", "ファイルの分割中"));
    EXPECT_TRUE(dialog.released);
    // The window is disabled before the dialog shows and enabled after it is released.
    std::vector<std::string> order;
    for (const Event& event : host.events) {
        if (event.type == Event::Type::WindowDisabled) {
            order.push_back("disabled");
        } else if (event.type == Event::Type::WindowEnabled) {
            order.push_back("enabled");
        } else if (event.detail == "show" || event.detail == "release") {
            order.push_back(event.detail);
        }
    }
    EXPECT_THAT(order, ElementsAre("disabled", "show", "release", "enabled"));
    EXPECT_TRUE(host.mainWindowEnabled);
}

TEST(Planning, OversizedFilesStopWithTheWarningAfterTheDialogIsGone) {
    TempFolder source;
    source.WriteFile("huge", std::string(11 * 512, 'h'));
    ScriptedHost host;
    PlanningValues values;
    EXPECT_EQ(RunPlanning(values, host, RequestFor(source, 10)), PlanOutcome::FileTooLarge);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].text,
              "　　　　一枚に入りきらないファイルがあります\n\n" + (source / "huge") +
                  "\n\nこのソフトは、１つのファイルの分割をサポートしていません\n\n"
                  "　　　　　　　　分割を中止します");
    EXPECT_EQ(host.events.back().type, Event::Type::Dialog);
    EXPECT_EQ(host.events[host.events.size() - 2].type, Event::Type::Beep);
    EXPECT_TRUE(host.progress[0]->released);

    // The second test: a file that fits alone but not beside the index reservation twice.
    TempFolder edge;
    edge.WriteFile("f", std::string(8 * 512, 'e'));
    ScriptedHost second;
    EXPECT_EQ(RunPlanning(values, second, RequestFor(edge, 13)), PlanOutcome::Complete);
    ScriptedHost third;
    EXPECT_EQ(RunPlanning(values, third, RequestFor(edge, 12)), PlanOutcome::FileTooLarge);
    // A set of this file alone needs these set files: the file is to blame, not the list.
    ASSERT_EQ(third.dialogs.size(), 1u);
    EXPECT_NE(third.dialogs[0].text.find(edge / "f"), std::string::npos) << third.dialogs[0].text;

    ScriptedHost zero;
    EXPECT_EQ(RunPlanning(values, zero, RequestFor(edge, 0)), PlanOutcome::FileTooLarge);
}

// Thousands of small files on a small disk: every file fits, but the list of the whole set,
// which every disk carries, leaves no room. The message says so and names a capacity that is
// enough, and that capacity indeed plans.
TEST(Planning, AnIndexTooLargeForOneDiskIsBlamedWithTheCapacityThatWouldDo) {
    TempFolder source;
    for (int i = 0; i < 600; ++i) {
        source.WriteFile("a folder with a long name/file number " + std::to_string(i), "x");
    }
    ScriptedHost host;
    PlanningValues values;
    EXPECT_EQ(RunPlanning(values, host, RequestFor(source, 100)), PlanOutcome::IndexTooLarge);
    ASSERT_EQ(host.dialogs.size(), 1u);
    const std::string& text = host.dialogs[0].text;
    const std::string head = "セットのファイルの一覧（600 個のファイル）が大きすぎて、";
    ASSERT_EQ(text.rfind(head, 0), 0u) << text;
    EXPECT_EQ(text.find("一枚に入りきらないファイル"), std::string::npos);
    const std::size_t at = text.find("一枚に ") + std::string("一枚に ").size();
    const std::int64_t bytes = std::stoll(text.substr(at));
    ASSERT_EQ(bytes % 512, 0);
    ScriptedHost enough;
    EXPECT_EQ(RunPlanning(values, enough, RequestFor(source, bytes / 512)), PlanOutcome::Complete);
}

TEST(Planning, DriveRootTakesOneClusterForTheSetFolder) {
    TempFolder source;
    source.WriteFile("f", std::string(9 * 512, 'e'));
    // 15 clusters less the set folder's one, less the index reservation counted twice, the
    // identity, the map and the checksum list.
    PlanRequest request = RequestFor(source, 15);
    request.destinationIsDriveRoot = true;
    ScriptedHost host;
    PlanningValues values;
    EXPECT_EQ(RunPlanning(values, host, request), PlanOutcome::Complete);
    EXPECT_EQ(values.DestRoot, AddBackslash(AddBackslash("/media/stick") + "@dummy@"));
    ScriptedHost tight;
    request.capacity = 14;
    EXPECT_EQ(RunPlanning(values, tight, request), PlanOutcome::FileTooLarge);
}

TEST(Planning, EmptySourcePlansOneDiskAndCancelIsReported) {
    TempFolder empty;
    ScriptedHost host;
    PlanningValues values;
    EXPECT_EQ(RunPlanning(values, host, RequestFor(empty, 10)), PlanOutcome::Complete);
    EXPECT_EQ(values.DiskCount, 1);
    EXPECT_THAT(values.DiskUsage, ElementsAre("1")); // the identity file

    TempFolder source;
    source.WriteFile("a", "1");
    source.WriteFile("b", "2");
    ScriptedHost cancelling;
    cancelling.onProcessMessages = [&] { cancelling.PressCancel(); };
    EXPECT_EQ(RunPlanning(values, cancelling, RequestFor(source, 10)), PlanOutcome::Cancelled);
    EXPECT_THAT(cancelling.DialogTexts(), ElementsAre("途中でキャンセルされました。"));
    EXPECT_TRUE(cancelling.mainWindowEnabled);
}

TEST(Planning, TheProgramCopyMustFitOnDiskOne) {
    TempFolder source;
    source.WriteFile("small", "s");
    TempFolder install;
    install.WriteFile("bin/arbolink", std::string(20 * 512, 'p'));
    PlanRequest request = RequestFor(source, 10);
    request.copyProgram = true;
    PlanningValues values;
    values.ProgramFile = install / "bin/arbolink";
    ScriptedHost host;
    EXPECT_EQ(RunPlanning(values, host, request), PlanOutcome::FileTooLarge);

    request.capacity = 40;
    ScriptedHost fits;
    ASSERT_EQ(RunPlanning(values, fits, request), PlanOutcome::Complete);
    EXPECT_EQ(values.Table.Cell(Folder, 1), "main body");
    // The index, identity and map 3, the program 20, its checksum list 1, the 1-cluster file.
    EXPECT_EQ(values.DiskUsage.front(), "25");
}

} // namespace
} // namespace arbolink
