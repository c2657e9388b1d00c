// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/divide/DiskAssignment.h"

#include "core/Progress.h"
#include "core/SetChecksums.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/StoredNameRegistry.h"
#include "core/divide/StoredNames.h"
#include "fs/Encoding.h"

#include <cstdint>
#include <string>
#include <vector>

namespace arbolink {

namespace {

// An identity line is the quoted set id (under 50 bytes) and two disk numbers: 128 bytes is
// room to spare.
constexpr std::int64_t kIdentityFileRoom = 128;

// A row to sort: its key beside its index, so that a swap moves both in one place.
struct SortItem {
    std::int64_t key;
    std::uint32_t row;
};

using SortItems = std::vector<SortItem>;

// The planner's quicksort over row indices, keys descending. The two halves are disjoint,
// so sorting the smaller one first (to bound the stack) gives the same result.
void QuickSort(SortItems& items, std::int64_t left, std::int64_t right) {
    auto key = [&](std::int64_t at) { return items[static_cast<std::size_t>(at)].key; };
    auto swapRows = [&](std::int64_t a, std::int64_t b) {
        std::swap(items[static_cast<std::size_t>(a)], items[static_cast<std::size_t>(b)]);
    };
    while (left < right) {
        const std::int64_t pivot = key((left + right) / 2);
        std::int64_t i = left - 1;
        std::int64_t j = right + 1;
        do {
            do {
                ++i;
            } while (key(i) > pivot);
            do {
                --j;
            } while (key(j) < pivot);
            swapRows(i, j);
        } while (i < j);
        swapRows(i, j);
        const bool leftSmaller = (i - 1 - left) < (right - j - 1);
        if (leftSmaller) {
            if (left < i - 1) {
                QuickSort(items, left, i - 1);
            }
            left = j + 1;
        } else {
            if (j + 1 < right) {
                QuickSort(items, j + 1, right);
            }
            right = i - 1;
        }
    }
}

std::size_t Index(std::int64_t row) {
    return static_cast<std::size_t>(row);
}

} // namespace

void SortBySize(PlanningRun& run) {
    run.BeginStage(msg::kStageSort);
    PlanningValues& values = run.values;
    if (values.FileCount == 0) {
        return;
    }
    const auto count = Index(values.FileCount);
    SortItems items(count);
    for (std::size_t row = 0; row < count; ++row) {
        items[row] = {CellNumber(values.Table.Cell(Size, row)), static_cast<std::uint32_t>(row)};
    }
    QuickSort(items, 0, values.FileCount - 1);
    std::vector<std::uint32_t> order(count);
    for (std::size_t i = 0; i < count; ++i) {
        order[i] = items[i].row;
    }
    values.Table.Permute(order);
}

void CheckSameNames(PlanningRun& run, std::int64_t step) {
    run.BeginStage(msg::kStageSameNames);
    PlanningValues& values = run.values;
    FileTable& table = values.Table;
    StoredNameRegistry registry(values);
    std::int64_t suffix = 0;
    std::string upperStored;
    for (std::int64_t i = 0; i < values.FileCount; ++i) {
        std::string stored = PortableName(table.Cell(StoredName, Index(i)));
        upperStored.clear();
        AppendUpperCase(stored, upperStored);
        if (registry.SeenBefore(i) || registry.Taken(upperStored, i)) {
            // A suffix is ASCII, which never completes a UTF-8 sequence before it, so the
            // name upper-cased with a suffix is the upper-cased name followed by the suffix.
            do {
                // Appended rather than "-" + text: GCC 12 at -O3 warns (-Wrestrict) on the
                // insert that operator+ does for a literal before a temporary string.
                std::string tail("-");
                tail += std::to_string(suffix++);
                // The disk would refuse a longer name: the name gives up its end instead.
                if (stored.size() + tail.size() > kMaxStoredNameBytes) {
                    stored.resize(FittingLength(stored, kMaxStoredNameBytes - tail.size()));
                    upperStored.clear();
                    AppendUpperCase(stored, upperStored);
                }
                stored += tail;
                upperStored += tail;
            } while (registry.Taken(upperStored, i));
        }
        registry.GiveOut(upperStored);
        table.Cell(StoredName, Index(i)) = std::move(stored);
        if (i == 0) {
            continue; // the first row is never compared, polled or counted
        }
        if (run.Poll()) {
            return;
        }
        if ((i + 1) % step == 0) {
            run.dialog.SetGauge(GaugePercent(i + 1, values.FileCount));
        }
    }
}

std::int64_t IndexFileSize(const PlanningValues& values) {
    std::int64_t total = 0;
    for (std::int64_t row = 0; row < values.FileCount; ++row) {
        const FileTable& table = values.Table;
        total += IndexLineSize(table.Cell(Folder, Index(row)), table.Cell(Name, Index(row)),
                               table.Cell(StoredName, Index(row)));
    }
    return total;
}

std::int64_t SetFilesClusters(const PlanningValues& values, int diskDigits) {
    std::int64_t mapBytes = 0;
    const FileTable& table = values.Table;
    for (std::int64_t row = 0; row < values.FileCount; ++row) {
        const std::string& size = table.Cell(Size, Index(row));
        mapBytes += MapLineSize(table.Cell(StoredName, Index(row)), diskDigits,
                                size.empty() ? 0 : CellNumber(size));
    }
    return ClustersOf(kIdentityFileRoom, values.ClusterSize) +
           ClustersOf(mapBytes, values.ClusterSize);
}

bool HasProgramRow(const PlanningValues& values) {
    const auto row = static_cast<std::size_t>(values.FileCount);
    return row < values.Table.RowCount() && !values.Table.Cell(Name, row).empty();
}

std::string ProgramCopyPath(const PlanningValues& values) {
    const auto row = static_cast<std::size_t>(values.FileCount);
    return std::string(kProgramFolderName) + "/" + values.Table.Cell(Name, row);
}

bool AssignDisks(PlanningRun& run, std::int64_t capacity, std::int64_t step) {
    run.BeginStage(msg::kStageAssign);
    PlanningValues& values = run.values;
    std::int64_t assigned = 0;
    values.DiskCount = 0;
    // Every disk takes a contiguous run of the sorted rows, so the rows before the cursor
    // are all assigned and scanning them again would only find them so.
    std::int64_t cursor = 0;
    const bool withProgram = HasProgramRow(values);
    for (;;) {
        ++values.DiskCount;
        std::int64_t tally = values.IndexReserve + values.SetFilesReserve;
        std::int64_t listBytes = 0; // the disk's checksum list
        if (values.DiskCount == 1 && withProgram) {
            tally += SizeInClusters(values, values.FileCount);
            listBytes += ChecksumLineSize(ProgramCopyPath(values));
        }
        const std::int64_t first = cursor;
        for (; cursor < values.FileCount; ++cursor) {
            const std::int64_t clusters = SizeInClusters(values, cursor);
            const std::int64_t line =
                ChecksumLineSize(values.Table.Cell(StoredName, Index(cursor)));
            if (tally + clusters + ClustersOf(listBytes + line, values.ClusterSize) > capacity) {
                break;
            }
            tally += clusters;
            listBytes += line;
            SetDiskOfRow(values, cursor, values.DiskCount);
            ++assigned;
            if (run.Poll()) {
                ++cursor;
                break;
            }
            if (assigned % step == 0) {
                run.dialog.SetGauge(GaugePercent(assigned, values.FileCount));
            }
        }
        values.DiskUsage.push_back(
            std::to_string(tally + ClustersOf(listBytes, values.ClusterSize)));
        if (AllAssigned(values) || values.RunStatus >= 0) {
            return true;
        }
        if (cursor == first && values.DiskCount > 1) {
            return false; // a row larger than an empty disk: no disk would ever take it
        }
    }
}

std::int64_t ClustersOf(std::int64_t bytes, std::int32_t clusterSize) {
    if (clusterSize <= 0) {
        return bytes;
    }
    return bytes / clusterSize + (bytes % clusterSize != 0 ? 1 : 0);
}

std::int64_t SizeInClusters(const PlanningValues& values, std::int64_t row) {
    const std::string& size = values.Table.Cell(Size, Index(row));
    return size.empty() ? 0 : ClustersOf(CellNumber(size), values.ClusterSize);
}

std::int32_t DiskOfRow(const PlanningValues& values, std::int64_t row) {
    const std::string& disk = values.Table.Cell(Disk, Index(row));
    return disk.empty() ? 0 : static_cast<std::int32_t>(CellNumber(disk));
}

void SetDiskOfRow(PlanningValues& values, std::int64_t row, std::int32_t disk) {
    values.Table.Cell(Disk, Index(row)) = std::to_string(disk);
}

bool AllAssigned(const PlanningValues& values) {
    for (std::int64_t row = values.FileCount - 1; row >= 0; --row) {
        if (DiskOfRow(values, row) == 0) {
            return false;
        }
    }
    return true;
}

} // namespace arbolink
