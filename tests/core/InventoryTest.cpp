// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/divide/Inventory.h"

#include "InventoryWalk.h"
#include "PlanningTestSupport.h"
#include "core/Progress.h"
#include "fs/Folders.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cstdio>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace arbolink {
namespace {

using test::RunFixture;
using test::TempFolder;
using test::Walk;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

TEST(Inventory, ListsEveryFileWithItsFolderNameAndSize) {
    TempFolder source;
    source.WriteFile("top.txt", "12345");
    source.WriteFile(".hidden", "x");
    source.WriteFile("a/b/deep.txt", "");
    source.WriteFile("a/top.txt", "ab");
    source.MakeFolder("empty/inner");
    std::string readOnly = source / "a/ro.txt";
    source.WriteFile("a/ro.txt", "r");
    chmod(readOnly.c_str(), 0444);

    Walk walk(source);
    EXPECT_EQ(walk.values.FileCount, 5);
    RunFixture fixture(walk.values);
    walk.Fill(fixture);
    EXPECT_EQ(walk.values.RunStatus, kRunning);
    EXPECT_EQ(walk.rowIndex, 4);
    EXPECT_THAT(walk.Rows(), UnorderedElementsAre("|top.txt|5", "|.hidden|1", "a\\b\\|deep.txt|0",
                                                  "a\\|top.txt|2", "a\\|ro.txt|1"));
    for (std::size_t r = 0; r < 5; ++r) {
        EXPECT_EQ(walk.values.Table.Cell(StoredName, r), walk.values.Table.Cell(Name, r));
        EXPECT_EQ(walk.values.Table.Number(Disk, r), 0);
    }
    EXPECT_EQ(walk.values.Table.Cell(Name, 5), ""); // the program row stays empty
    EXPECT_TRUE(walk.values.Skipped.empty());
}

TEST(Inventory, EmptyTreesGiveNoRowsAndNoGauge) {
    TempFolder source;
    source.MakeFolder("only/empty/folders");
    Walk walk(source);
    EXPECT_EQ(walk.values.FileCount, 0);
    RunFixture fixture(walk.values);
    walk.Fill(fixture);
    EXPECT_EQ(walk.rowIndex, -1);
    EXPECT_TRUE(fixture.record().gauge.empty());
}

TEST(Inventory, GaugeShowsTheLastRowIndexEveryStep) {
    TempFolder eight;
    for (int i = 0; i < 8; ++i) {
        eight.WriteFile("f" + std::to_string(i), "");
    }
    Walk walk(eight);
    RunFixture fixture(walk.values);
    walk.Fill(fixture);
    EXPECT_THAT(fixture.record().gauge, ElementsAre(0, 12, 25, 38, 50, 62, 75, 88));

    TempFolder many;
    for (int i = 0; i < 250; ++i) {
        many.WriteFile("f" + std::to_string(i), "");
    }
    Walk big(many);
    RunFixture second(big.values);
    big.Fill(second);
    ASSERT_EQ(second.record().gauge.size(), 125u); // rows 0, 2, 4 ... 248
    EXPECT_EQ(second.record().gauge[62], 50);      // row 124: 49.6
    EXPECT_EQ(second.record().gauge.back(), 99);
}

TEST(Inventory, AFileAddedAfterTheCountStopsTheWalk) {
    TempFolder source;
    source.WriteFile("a", "1");
    source.WriteFile("b", "2");
    Walk walk(source);
    source.WriteFile("c", "3");
    RunFixture fixture(walk.values);
    walk.Fill(fixture);
    EXPECT_EQ(walk.values.RunStatus, kTooManyFiles);
    ASSERT_EQ(fixture.host.dialogs.size(), 1u);
    EXPECT_EQ(fixture.host.dialogs[0].text, "複写ファイルが多すぎます");
    EXPECT_EQ(fixture.host.dialogs[0].kind, DialogKind::Warning);
    ASSERT_GE(fixture.host.events.size(), 2u);
    auto dialog =
        std::find_if(fixture.host.events.begin(), fixture.host.events.end(),
                     [](const test::Event& e) { return e.type == test::Event::Type::Dialog; });
    ASSERT_NE(dialog, fixture.host.events.begin());
    EXPECT_EQ((dialog - 1)->type, test::Event::Type::Beep);
}

// The filling walk takes up the counting walk's listing of a folder only while the folder is
// unchanged, and reads every size anew: what changed in between shows in the rows.
TEST(Inventory, WhatChangesBetweenTheWalksShowsInTheRows) {
    TempFolder source;
    source.WriteFile("same/grows.txt", "1");
    source.WriteFile("same/stays.txt", "22");
    source.WriteFile("renamed/old.txt", "333");
    source.WriteFile("emptied/gone.txt", "4444");
    source.WriteFile("emptied/kept.txt", "55555");
    Walk walk(source);
    EXPECT_EQ(walk.values.FileCount, 5);
#ifndef _WIN32
    // Windows lists the sizes with the names and keeps no listings.
    EXPECT_EQ(walk.values.Counted.size(), 4u); // the source and its three folders
#endif
    source.WriteFile("same/grows.txt", "1 and more");
    ASSERT_EQ(
        std::rename((source / "renamed/old.txt").c_str(), (source / "renamed/new.txt").c_str()), 0);
    ASSERT_EQ(std::remove((source / "emptied/gone.txt").c_str()), 0);
    RunFixture fixture(walk.values);
    walk.Fill(fixture);
    EXPECT_EQ(walk.values.RunStatus, kRunning);
    EXPECT_THAT(walk.Rows(), UnorderedElementsAre("same\\|grows.txt|10", "same\\|stays.txt|2",
                                                  "renamed\\|new.txt|3", "emptied\\|kept.txt|5"));
    EXPECT_TRUE(walk.values.Skipped.empty());
    EXPECT_TRUE(walk.values.Counted.empty());
}

TEST(Inventory, CancelStopsAfterTheCurrentEntry) {
    TempFolder source;
    for (int i = 0; i < 10; ++i) {
        source.WriteFile("d/f" + std::to_string(i), "x");
    }
    Walk walk(source);
    RunFixture fixture(walk.values);
    fixture.host.onProcessMessages = [&] {
        if (fixture.host.processMessagesCalls == 3) {
            fixture.host.PressCancel();
        }
    };
    walk.Fill(fixture);
    EXPECT_EQ(walk.values.RunStatus, kCancelled);
    EXPECT_EQ(walk.rowIndex, 2);
    EXPECT_EQ(fixture.host.processMessagesCalls, 3);
}

TEST(Inventory, ProgramRowFromTheProgramsOwnFile) {
    TempFolder place;
    place.WriteFile("bin/arbolink", "program bytes");
    PlanningValues values;
    values.FileCount = 2;
    values.Table.Allocate(3);
    values.ProgramFile = place / "bin/arbolink";
    AddProgramRow(values);
    EXPECT_EQ(values.Table.Cell(Folder, 2), "main body");
    EXPECT_EQ(values.Table.Cell(Name, 2), "arbolink");
    EXPECT_EQ(values.Table.Cell(StoredName, 2), "arbolink");
    EXPECT_EQ(values.Table.Number(Size, 2), 13);
    EXPECT_EQ(values.Table.Number(Disk, 2), 1);

    values.Table.Allocate(3);
    values.ProgramFile = place / "bin/missing";
    AddProgramRow(values);
    EXPECT_EQ(values.Table.Cell(Name, 2), "");
}

} // namespace
} // namespace arbolink
