// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/divide/DiskAssignment.h"

#include "PlanningTestSupport.h"
#include "core/Progress.h"
#include "core/SetChecksums.h"
#include "core/SetFormat.h"
#include "core/divide/StoredNames.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>

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
    values.Table.SetCell(Name, 2, "arbolink");
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

    // A row keeps its name without a portable copy being made only where the copy would be
    // the same name.
    const std::vector<std::string> names = {"a.txt",
                                            "what?.txt",
                                            "CON.txt",
                                            "lpt1",
                                            "trailing.",
                                            "blank ",
                                            ".arbolink-copy-abc123",
                                            "Ärger",
                                            std::string(255, 'x'),
                                            std::string(256, 'x')};
    for (const std::string& name : names) {
        EXPECT_EQ(IsPortableName(name), PortableName(name) == name) << name;
    }
}

TEST(CheckSameNames, ReservesTheProgramFolderOnlyWithTheProgramCopy) {
    PlanningValues plain = ValuesWith({{"", "arbolink", 1}});
    RunFixture first(plain);
    CheckSameNames(first.run, 1);
    EXPECT_EQ(plain.Table.Cell(StoredName, 0), "arbolink");

    PlanningValues withProgram = ValuesWith({{"", "arbolink", 1}});
    withProgram.Table.SetCell(Name, 1, "arbolink-bin");
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
    values.Table.SetCell(StoredName, 1, "say _hi_");
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
    program.Table.SetCell(Name, 1, "arbolink");
    program.Table.SetNumber(Size, 1, 5 * 512);
    program.Table.SetNumber(Disk, 1, 1);
    RunFixture second(program);
    ASSERT_TRUE(AssignDisks(second.run, 11, 1));
    EXPECT_EQ(program.DiskCount, 2);
    EXPECT_THAT(program.DiskUsage, ElementsAre("7", "8"));
    EXPECT_EQ(program.Table.Number(Disk, 0), 2);
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

// What a plan puts on each disk, counted again from the rows by the capacity rules: the set
// files' reservations, each file's clusters, the checksum list rounded up to whole clusters
// and, on disk 1, the program copy. Fails the test when a disk's planned usage differs from
// that count or goes beyond the capacity.
void ExpectEveryDiskWithinCapacity(const PlanningValues& values, std::int64_t capacity) {
    ASSERT_EQ(values.DiskUsage.size(), static_cast<std::size_t>(values.DiskCount));
    std::vector<std::int64_t> clusters(values.DiskUsage.size(),
                                       values.IndexReserve + values.SetFilesReserve);
    std::vector<std::int64_t> lines(values.DiskUsage.size(), 0);
    if (HasProgramRow(values)) {
        clusters[0] += SizeInClusters(values, values.FileCount);
        lines[0] += ChecksumLineSize(ProgramCopyPath(values));
    }
    for (std::int64_t row = 0; row < values.FileCount; ++row) {
        const std::int32_t disk = DiskOfRow(values, row);
        ASSERT_GE(disk, 1) << "row " << row;
        ASSERT_LE(disk, values.DiskCount) << "row " << row;
        clusters[static_cast<std::size_t>(disk - 1)] += SizeInClusters(values, row);
        lines[static_cast<std::size_t>(disk - 1)] +=
            ChecksumLineSize(values.Table.Cell(StoredName, static_cast<std::size_t>(row)));
    }
    for (std::size_t disk = 0; disk < clusters.size(); ++disk) {
        const std::int64_t used = clusters[disk] + ClustersOf(lines[disk], values.ClusterSize);
        EXPECT_EQ(values.DiskUsage[disk], std::to_string(used)) << "disk " << disk + 1;
        EXPECT_LE(used, capacity) << "disk " << disk + 1;
    }
}

// Sorted rows of these sizes, named f0, f1, ... so that every checksum line has one length
// within a test (names of equal length).
PlanningValues SortedValues(const std::vector<std::int64_t>& sizes, std::int32_t clusterSize) {
    std::vector<test::RowSpec> rows;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "f%06zu", i);
        rows.push_back({"", name, sizes[i]});
    }
    PlanningValues values = ValuesWith(rows, clusterSize);
    RunFixture fixture(values);
    SortBySize(fixture.run);
    return values;
}

struct PackedCounts {
    std::int32_t inOrder = 0;
    std::int32_t tight = 0;
    std::int64_t lowerBound = 0;
};

// Plans the values both ways with the given reservations, checks every disk of both plans
// against the capacity and answers the disk counts.
PackedCounts PackBothWays(const PlanningValues& sorted, std::int64_t capacity,
                          std::int64_t indexReserve, std::int64_t setFilesReserve) {
    PackedCounts counts;
    for (Packing packing : {Packing::InOrder, Packing::Tight}) {
        PlanningValues values = sorted;
        values.IndexReserve = indexReserve;
        values.SetFilesReserve = setFilesReserve;
        RunFixture fixture(values);
        EXPECT_TRUE(AssignDisks(fixture.run, capacity, 1, packing));
        EXPECT_TRUE(AllAssigned(values));
        ExpectEveryDiskWithinCapacity(values, capacity);
        (packing == Packing::Tight ? counts.tight : counts.inOrder) = values.DiskCount;
        counts.lowerBound = DiskLowerBound(values, capacity);
    }
    return counts;
}

TEST(TightPacking, ReachesTheBoundWhereTheExactAnswerIsKnown) {
    // Equal sizes: 7 files of 3 clusters on disks with room for 2 beside 2 reserved clusters
    // and the checksum list's cluster (4096-byte clusters hold every line of a disk).
    PackedCounts equal =
        PackBothWays(SortedValues(std::vector<std::int64_t>(7, 3 * 4096), 4096), 9, 1, 1);
    EXPECT_EQ(equal.lowerBound, 4);
    EXPECT_EQ(equal.tight, 4);
    EXPECT_EQ(equal.inOrder, 4);

    // Sizes that pair exactly: 8 large files of 31..38 clusters and their partners of
    // 29..22, each pair filling a disk to the last cluster. In order, every large file takes
    // a disk of its own and the small ones follow on further disks.
    std::vector<std::int64_t> pairs;
    for (std::int64_t large = 31; large <= 38; ++large) {
        pairs.push_back(large * 4096);
        pairs.push_back((60 - large) * 4096);
    }
    PackedCounts paired = PackBothWays(SortedValues(pairs, 4096), 63, 1, 1);
    EXPECT_EQ(paired.lowerBound, 8);
    EXPECT_EQ(paired.tight, 8);
    EXPECT_GT(paired.inOrder, 8);

    // Many small files where the checksum lines decide: 512-byte clusters, 1-byte files.
    // Each line is 74 bytes, so a disk of 20 clusters holds 16 files and 3 list clusters
    // beside its reserved cluster; 100 files need 7 disks.
    PackedCounts lines =
        PackBothWays(SortedValues(std::vector<std::int64_t>(100, 1), 512), 20, 1, 0);
    EXPECT_EQ(lines.lowerBound, 7);
    EXPECT_EQ(lines.tight, 7);
}

TEST(TightPacking, HeavyTailsNeverTakeMoreDisksThanInOrderAndStayNearTheBound) {
    std::mt19937_64 random(19);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<std::int64_t> sizes;
    for (int i = 0; i < 2000; ++i) {
        // Pareto with shape 1.2 from 200 bytes, cut at a disk's room.
        const double size = 200.0 / std::pow(1.0 - unit(random), 1.0 / 1.2);
        sizes.push_back(std::min<std::int64_t>(static_cast<std::int64_t>(size), 1400000));
    }
    // A floppy: 2847 clusters of 512 bytes, with the index and the set files reserved.
    PackedCounts counts = PackBothWays(SortedValues(sizes, 512), 2847, 40, 30);
    EXPECT_LE(counts.tight, counts.inOrder);
    EXPECT_GE(counts.tight, counts.lowerBound);
    EXPECT_LE(counts.tight, counts.lowerBound + 1);
}

TEST(TightPacking, ProgramStaysOnDiskOneAndAnOversizedRowFails) {
    // Disk 1 holds the program (8 clusters) beside 1 reserved cluster; the 6-cluster file
    // goes to disk 2, and the 2-cluster files fill the gap on disk 1 before disk 2.
    PlanningValues values = SortedValues({6 * 512, 512, 512}, 512);
    values.IndexReserve = 1;
    values.Table.SetCell(Name, 3, "arbolink");
    values.Table.SetNumber(Size, 3, 8 * 512);
    RunFixture fixture(values);
    ASSERT_TRUE(AssignDisks(fixture.run, 11, 1, Packing::Tight));
    EXPECT_EQ(values.DiskCount, 2);
    EXPECT_THAT(Column(values, Disk), ElementsAre("2", "1", "2"));
    ExpectEveryDiskWithinCapacity(values, 11);
    EXPECT_THAT(fixture.record().gauge, ElementsAre(0, 33, 67, 100));

    PlanningValues huge = ValuesWith({{"", "a", 20 * 512}});
    RunFixture second(huge);
    EXPECT_FALSE(AssignDisks(second.run, 10, 1, Packing::Tight));
}

} // namespace
} // namespace arbolink
