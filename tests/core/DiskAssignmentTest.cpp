// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/divide/DiskAssignment.h"

#include "PlanningTestSupport.h"
#include "core/Progress.h"
#include "core/SetFormat.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace arbolink {
namespace {

using test::Column;
using test::RunFixture;
using test::ValuesWith;
using ::testing::ElementsAre;

TEST(GaugeArithmetic, RoundsHalvesToEvenAndStepsByHundredths) {
    EXPECT_EQ(GaugePercent(1, 8), 12);     // 12.5
    EXPECT_EQ(GaugePercent(3, 8), 38);     // 37.5
    EXPECT_EQ(GaugePercent(124, 250), 50); // 49.6
    EXPECT_EQ(GaugePercent(99, 100), 99);
    EXPECT_EQ(GaugePercent(1, 200), 0); // 0.5 goes to the even 0
    EXPECT_EQ(GaugePercent(3, 200), 2); // 1.5 goes to 2
    EXPECT_EQ(GaugePercent(5, 0), 0);
    EXPECT_EQ(ProgressStepFor(99), 1);
    EXPECT_EQ(ProgressStepFor(100), 1);
    EXPECT_EQ(ProgressStepFor(250), 2);
    EXPECT_EQ(ProgressStepFor(0), 1);
}

TEST(SortBySize, SortsNumericallyLargestFirstWithThePlannersTieOrder) {
    PlanningValues values = ValuesWith({{"", "nine", 9},
                                        {"", "ten", 10},
                                        {"", "a", 5},
                                        {"", "b", 5},
                                        {"", "c", 5},
                                        {"", "big", 3000000000LL}});
    RunFixture fixture(values);
    SortBySize(fixture.run);
    EXPECT_THAT(Column(values, Size), ElementsAre("3000000000", "10", "9", "5", "5", "5"));
    // Hand-run of the quicksort: pivot 5 (row 2) moves the equal rows as follows.
    EXPECT_THAT(Column(values, Name), ElementsAre("big", "ten", "nine", "c", "a", "b"));
    EXPECT_THAT(fixture.record().stages, ElementsAre("ファイルをソート中"));
    EXPECT_EQ(fixture.host.processMessagesCalls, 0); // the sort never yields
}

TEST(SortBySize, KeepsWholeRowsTogetherAndLeavesTheProgramRow) {
    PlanningValues values = ValuesWith({{"x\\", "small", 1}, {"y\\", "large", 100}});
    values.Table.Cell(Name, 2) = "arbolink";
    RunFixture fixture(values);
    SortBySize(fixture.run);
    EXPECT_THAT(Column(values, Folder), ElementsAre("y\\", "x\\"));
    EXPECT_THAT(Column(values, StoredName), ElementsAre("large", "small"));
    EXPECT_EQ(values.Table.Cell(Name, 2), "arbolink");
}

TEST(CheckSameNames, NumbersClashesInTheOrderTheyAreFound) {
    PlanningValues values = ValuesWith({{"", "a.txt", 5},
                                        {"d\\", "b.txt", 4},
                                        {"e\\", "A.TXT", 3},
                                        {"f\\", "b.txt", 2},
                                        {"g\\", "a.txt", 1}});
    RunFixture fixture(values);
    CheckSameNames(fixture.run, 1);
    EXPECT_THAT(Column(values, StoredName),
                ElementsAre("a.txt", "b.txt", "A.TXT-0", "b.txt-1", "a.txt-2"));
    EXPECT_THAT(Column(values, Name), ElementsAre("a.txt", "b.txt", "A.TXT", "b.txt", "a.txt"));
    // Rows 1 to 4 are polled; the gauge moves after each (step 1): 40, 60, 80, 100.
    EXPECT_EQ(fixture.host.processMessagesCalls, 4);
    EXPECT_THAT(fixture.record().gauge, ElementsAre(0, 40, 60, 80, 100));
}

TEST(CheckSameNames, KeepsStoredNamesUniqueAndPortable) {
    PlanningValues values = ValuesWith({{"", "a.txt", 9},
                                        {"x\\", "a.txt", 8},
                                        {"", "a.txt-0", 7},
                                        {"", "_index.@txt", 6},
                                        {"", "what?.txt", 5},
                                        {"", "what_.txt", 4},
                                        {"", "CON.txt", 3},
                                        {"", "trailing.", 2},
                                        {"", "Ärger", 1},
                                        {"y\\", "ärger", 0},
                                        {"z\\", ".arbolink-copy-abc123", 0}});
    RunFixture fixture(values);
    CheckSameNames(fixture.run, 1);
    EXPECT_THAT(Column(values, StoredName),
                ElementsAre("a.txt", "a.txt-0-1", "a.txt-0", "_index.@txt-2", "what_.txt-3",
                            "what_.txt", "_CON.txt", "trailing_", "Ärger", "ärger-4",
                            "_.arbolink-copy-abc123"));
    EXPECT_EQ(values.Table.Cell(Name, 4), "what?.txt");
}

TEST(CheckSameNames, ReservesTheProgramFolderOnlyWithTheProgramCopy) {
    PlanningValues plain = ValuesWith({{"", "arbolink", 1}});
    RunFixture first(plain);
    CheckSameNames(first.run, 1);
    EXPECT_EQ(plain.Table.Cell(StoredName, 0), "arbolink");

    PlanningValues withProgram = ValuesWith({{"", "arbolink", 1}});
    withProgram.Table.Cell(Name, 1) = "arbolink-bin";
    RunFixture second(withProgram);
    CheckSameNames(second.run, 1);
    EXPECT_EQ(withProgram.Table.Cell(StoredName, 0), "arbolink-0");
}

TEST(CheckSameNames, CancelKeepsTheNamesGivenSoFar) {
    PlanningValues values = ValuesWith({{"", "a", 3}, {"", "a", 2}, {"", "a", 1}});
    RunFixture fixture(values);
    fixture.host.onProcessMessages = [&] { fixture.host.PressCancel(); };
    CheckSameNames(fixture.run, 1);
    EXPECT_EQ(values.RunStatus, kCancelled);
    EXPECT_THAT(Column(values, StoredName), ElementsAre("a", "a-0", "a"));
}

TEST(IndexFileSize, CountsWhatTheIndexHoldsQuotesDoubled) {
    PlanningValues values = ValuesWith({{"", "a.txt", 1}, {"表\\", "say \"hi\"", 2}});
    values.Table.Cell(StoredName, 1) = "say _hi_";
    const std::int64_t expected =
        static_cast<std::int64_t>(IndexLine("", "a.txt", "a.txt").size() +
                                  IndexLine("表\\", "say \"hi\"", "say _hi_").size());
    EXPECT_EQ(IndexFileSize(values), expected);
    EXPECT_EQ(IndexLine("", "a.txt", "a.txt").size(), 20u); // 0 + 5 + 5 + 10
    EXPECT_EQ(IndexFileSize(ValuesWith({})), 0);
}

TEST(ClusterArithmetic, RoundsUpToWholeClusters) {
    EXPECT_EQ(ClustersOf(0, 512), 0);
    EXPECT_EQ(ClustersOf(1, 512), 1);
    EXPECT_EQ(ClustersOf(512, 512), 1);
    EXPECT_EQ(ClustersOf(513, 512), 2);
    EXPECT_EQ(ClustersOf(5000000000LL, 4096), 1220704);
    PlanningValues values = ValuesWith({{"", "a", 513}});
    EXPECT_EQ(SizeInClusters(values, 0), 2);
    EXPECT_EQ(SizeInClusters(values, 1), 0); // the empty program row
    EXPECT_EQ(DiskOfRow(values, 0), 0);
    EXPECT_FALSE(AllAssigned(values));
    SetDiskOfRow(values, 0, 7);
    EXPECT_EQ(DiskOfRow(values, 0), 7);
    EXPECT_TRUE(AllAssigned(values));
    EXPECT_TRUE(AllAssigned(ValuesWith({})));
}

TEST(AssignDisks, DealsSortedRowsOutInOrderWithoutBackfilling) {
    // Sizes in clusters 6, 4, 3, 3, 1; capacity 11 after the reservation, IndexReserve 1, and
    // each disk's checksum list takes a cluster.
    PlanningValues values = ValuesWith({{"", "a", 6 * 512},
                                        {"", "b", 4 * 512},
                                        {"", "c", 3 * 512},
                                        {"", "d", 3 * 512},
                                        {"", "e", 512}});
    values.IndexReserve = 1;
    RunFixture fixture(values);
    ASSERT_TRUE(AssignDisks(fixture.run, 11, 1));
    EXPECT_EQ(values.DiskCount, 3);
    EXPECT_THAT(values.DiskUsage, ElementsAre("8", "9", "6"));
    EXPECT_THAT(Column(values, Disk), ElementsAre("1", "2", "2", "3", "3"));
    EXPECT_THAT(fixture.record().stages, ElementsAre("ファイルの分割中"));
    EXPECT_THAT(fixture.record().gauge, ElementsAre(0, 20, 40, 60, 80, 100));
}

TEST(AssignDisks, ExactFitAndTheProgramRowOnDiskOne) {
    PlanningValues exact = ValuesWith({{"", "a", 9 * 512}});
    exact.IndexReserve = 1;
    RunFixture first(exact);
    ASSERT_TRUE(AssignDisks(first.run, 11, 1));
    EXPECT_EQ(exact.DiskCount, 1);
    EXPECT_THAT(exact.DiskUsage, ElementsAre("11"));

    PlanningValues program = ValuesWith({{"", "a", 6 * 512}});
    program.IndexReserve = 1;
    program.Table.Cell(Name, 1) = "arbolink";
    program.Table.Cell(Size, 1) = std::to_string(5 * 512);
    program.Table.Cell(Disk, 1) = "1";
    RunFixture second(program);
    ASSERT_TRUE(AssignDisks(second.run, 11, 1));
    EXPECT_EQ(program.DiskCount, 2);
    EXPECT_THAT(program.DiskUsage, ElementsAre("7", "8"));
    EXPECT_EQ(program.Table.Cell(Disk, 0), "2");
}

TEST(AssignDisks, NoFilesPlansOneDiskAndAnOversizedRowDoesNotLoop) {
    PlanningValues none = ValuesWith({});
    RunFixture first(none);
    ASSERT_TRUE(AssignDisks(first.run, 10, 1));
    EXPECT_EQ(none.DiskCount, 1);
    EXPECT_THAT(none.DiskUsage, ElementsAre("0"));

    PlanningValues huge = ValuesWith({{"", "a", 20 * 512}});
    RunFixture second(huge);
    EXPECT_FALSE(AssignDisks(second.run, 10, 1));
}

TEST(AssignDisks, CancelStillRecordsTheDiskBeingFilled) {
    PlanningValues values = ValuesWith({{"", "a", 512}, {"", "b", 512}, {"", "c", 512}});
    RunFixture fixture(values);
    int polls = 0;
    fixture.host.onProcessMessages = [&] {
        if (++polls == 2) {
            fixture.host.PressCancel();
        }
    };
    ASSERT_TRUE(AssignDisks(fixture.run, 3, 1));
    EXPECT_EQ(values.RunStatus, kCancelled);
    EXPECT_EQ(values.DiskCount, 1);
    EXPECT_THAT(values.DiskUsage, ElementsAre("3"));
    EXPECT_THAT(Column(values, Disk), ElementsAre("1", "1", ""));
}

} // namespace
} // namespace arbolink
