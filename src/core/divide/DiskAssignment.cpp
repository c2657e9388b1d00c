// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/divide/DiskAssignment.h"

#include "core/Progress.h"
#include "core/SetChecksums.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/StoredNameRegistry.h"
#include "core/divide/StoredNames.h"
#include "fs/Encoding.h"

#include <algorithm>
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

// Bytes of the longest directory record of a disc image: where the next record does not fit
// in what is left of a block, that rest stays unused.
constexpr std::int64_t kLongestDirectoryRecord = 255;

// What a disk holds so far: its clusters apart from the checksum list and the directories
// of a disc image, and the bytes of both.
struct DiskFill {
    std::int64_t tally;
    std::int64_t listBytes;
    std::int64_t entryBytes = 0;
};

// What one row adds to a disk: its clusters, its line in the checksum list and its names in
// a disc image's directories.
struct RowCostOf {
    std::int64_t clusters;
    std::int64_t line;
    std::int64_t entry;
};

// The room a name takes in the medium's directories.
std::int64_t EntryBytes(const PlanningValues& values, std::string_view name) {
    return values.DiskMedium == MediumKind::DiscImage ? DiscEntryBytes(name) : 0;
}

RowCostOf RowCost(const PlanningValues& values, std::int64_t row) {
    const std::string& stored = values.Table.Cell(StoredName, Index(row));
    return {SizeInClusters(values, row), ChecksumLineSize(stored), EntryBytes(values, stored)};
}

RowCostOf ProgramCost(const PlanningValues& values) {
    const auto row = Index(values.FileCount);
    return {SizeInClusters(values, values.FileCount), ChecksumLineSize(ProgramCopyPath(values)),
            EntryBytes(values, values.Table.Cell(Name, row))};
}

RowCostOf CostOfRow(const PlanningValues& values, std::int64_t row) {
    return row == values.FileCount ? ProgramCost(values) : RowCost(values, row);
}

void Add(DiskFill& disk, const RowCostOf& cost) {
    disk.tally += cost.clusters;
    disk.listBytes += cost.line;
    disk.entryBytes += cost.entry;
}

// Clusters the disk takes with its checksum list and its directories rounded up to whole
// clusters.
std::int64_t Usage(const DiskFill& disk, std::int32_t clusterSize) {
    return disk.tally + ClustersOf(disk.listBytes, clusterSize) +
           ClustersOf(disk.entryBytes, clusterSize);
}

bool Fits(const DiskFill& disk, const RowCostOf& cost, std::int64_t capacity,
          std::int32_t clusterSize) {
    DiskFill with = disk;
    Add(with, cost);
    return Usage(with, clusterSize) <= capacity;
}

// A disk with nothing but the set files, and on disk 1 the program copy when there is one.
DiskFill EmptyDisk(const PlanningValues& values, bool first) {
    DiskFill disk{values.IndexReserve + values.SetFilesReserve, 0, 0};
    if (first && HasProgramRow(values)) {
        Add(disk, ProgramCost(values));
    }
    return disk;
}

void PushUsage(PlanningValues& values, const DiskFill& disk) {
    values.DiskUsage.push_back(std::to_string(Usage(disk, values.ClusterSize)));
}

// Gives the row its disk, then polls and moves the gauge; answers true when the run stops.
bool Place(PlanningRun& run, std::int64_t row, std::int32_t disk, std::int64_t assigned,
           std::int64_t step) {
    SetDiskOfRow(run.values, row, disk);
    if (run.Poll()) {
        return true;
    }
    if (assigned % step == 0) {
        run.dialog.SetGauge(GaugePercent(assigned, run.values.FileCount));
    }
    return false;
}

// Each disk takes the sorted rows up to the first that does not fit, and is then closed.
bool AssignInOrder(PlanningRun& run, std::int64_t capacity, std::int64_t step) {
    PlanningValues& values = run.values;
    std::int64_t assigned = 0;
    values.DiskCount = 0;
    // Every disk takes a contiguous run of the sorted rows, so the rows before the cursor
    // are all assigned and scanning them again would only find them so.
    std::int64_t cursor = 0;
    for (;;) {
        ++values.DiskCount;
        DiskFill disk = EmptyDisk(values, values.DiskCount == 1);
        const std::int64_t first = cursor;
        for (; cursor < values.FileCount; ++cursor) {
            const RowCostOf cost = RowCost(values, cursor);
            if (!Fits(disk, cost, capacity, values.ClusterSize)) {
                break;
            }
            Add(disk, cost);
            if (Place(run, cursor, values.DiskCount, ++assigned, step)) {
                ++cursor;
                break;
            }
        }
        PushUsage(values, disk);
        if (AllAssigned(values) || values.RunStatus >= 0) {
            return true;
        }
        if (cursor == first && values.DiskCount > 1) {
            return false; // a row larger than an empty disk: no disk would ever take it
        }
    }
}

// The clusters still free on each open disk, in a tree of maxima, so that the first disk
// with room for a row is found without looking at every disk before it.
class FreeRoomTree {
public:
    std::size_t DiskCount() const { return count_; }

    void Append(std::int64_t room) {
        if (count_ == leaves_) {
            Grow();
        }
        Set(count_++, room);
    }

    void Set(std::size_t disk, std::int64_t room) {
        std::size_t node = leaves_ + disk;
        tree_[node] = room;
        for (node /= 2; node >= 1; node /= 2) {
            tree_[node] = std::max(tree_[2 * node], tree_[2 * node + 1]);
        }
    }

    // The first disk from `from` on with at least `room` free clusters; DiskCount() when none.
    std::size_t FirstWith(std::int64_t room, std::size_t from) const {
        return Find(1, 0, leaves_, room, from);
    }

private:
    static constexpr std::int64_t kNoDisk = -1;

    void Grow() {
        const std::size_t leaves = leaves_ == 0 ? 64 : leaves_ * 2;
        std::vector<std::int64_t> tree(2 * leaves, kNoDisk);
        for (std::size_t disk = 0; disk < count_; ++disk) {
            tree[leaves + disk] = tree_[leaves_ + disk];
        }
        for (std::size_t node = leaves - 1; node >= 1; --node) {
            tree[node] = std::max(tree[2 * node], tree[2 * node + 1]);
        }
        tree_ = std::move(tree);
        leaves_ = leaves;
    }

    std::size_t Find(std::size_t node, std::size_t low, std::size_t high, std::int64_t room,
                     std::size_t from) const {
        if (high <= from || tree_[node] < room || low >= count_) {
            return count_;
        }
        if (high - low == 1) {
            return low;
        }
        const std::size_t middle = (low + high) / 2;
        const std::size_t left = Find(2 * node, low, middle, room, from);
        return left != count_ ? left : Find(2 * node + 1, middle, high, room, from);
    }

    std::vector<std::int64_t> tree_; // node 1 is the root; leaves_ + disk is a disk's leaf
    std::size_t leaves_ = 0;
    std::size_t count_ = 0;
};

// First-fit decreasing: each sorted row goes onto the first disk that still takes it, and a
// new disk is opened only when none does.
bool AssignTight(PlanningRun& run, std::int64_t capacity, std::int64_t step) {
    PlanningValues& values = run.values;
    const std::int32_t clusterSize = values.ClusterSize;
    std::vector<DiskFill> disks{EmptyDisk(values, true)};
    FreeRoomTree free;
    free.Append(capacity - Usage(disks.front(), clusterSize));
    bool stopped = false;
    for (std::int64_t row = 0; row < values.FileCount && !stopped; ++row) {
        const RowCostOf cost = RowCost(values, row);
        // A row's line grows the list by at least its whole clusters; the exact test follows.
        const std::int64_t least =
            cost.clusters + (clusterSize > 0 ? cost.line / clusterSize + cost.entry / clusterSize
                                             : cost.line + cost.entry);
        std::size_t disk = free.FirstWith(least, 0);
        while (disk < disks.size() && !Fits(disks[disk], cost, capacity, clusterSize)) {
            disk = free.FirstWith(least, disk + 1);
        }
        if (disk == disks.size()) {
            disks.push_back(EmptyDisk(values, false));
            free.Append(capacity - Usage(disks.back(), clusterSize));
            if (!Fits(disks.back(), cost, capacity, clusterSize)) {
                return false; // a row larger than an empty disk: no disk would ever take it
            }
        }
        Add(disks[disk], cost);
        free.Set(disk, capacity - Usage(disks[disk], clusterSize));
        stopped = Place(run, row, static_cast<std::int32_t>(disk + 1), row + 1, step);
    }
    values.DiskCount = static_cast<std::int32_t>(disks.size());
    for (const DiskFill& disk : disks) {
        PushUsage(values, disk);
    }
    return true;
}

// Gives row i a stored name made from its present one: portable, and with suffixes until no
// other row has it; repeated says whether an earlier row carries the same Name.
void GiveUniqueName(StoredNameRegistry& registry, FileTable& table, std::int64_t i, bool repeated,
                    std::int64_t& suffix, const NameLimit& limit) {
    std::string stored = PortableName(table.Cell(StoredName, Index(i)), limit);
    std::string upperStored;
    AppendUpperCase(stored, upperStored);
    if (repeated || registry.Taken(upperStored, i)) {
        // A suffix is ASCII, which never completes a UTF-8 sequence before it, so the
        // name upper-cased with a suffix is the upper-cased name followed by the suffix.
        do {
            // Appended rather than "-" + text: GCC 12 at -O3 warns (-Wrestrict) on the
            // insert that operator+ does for a literal before a temporary string.
            std::string tail("-");
            tail += std::to_string(suffix++);
            // The disk would refuse a longer name: the name gives up its end instead.
            const NameLimit room{limit.bytes - tail.size(), limit.units - tail.size()};
            if (FittingLength(stored, room) < stored.size()) {
                stored.resize(FittingLength(stored, room));
                upperStored.clear();
                AppendUpperCase(stored, upperStored);
            }
            stored += tail;
            upperStored += tail;
        } while (registry.Taken(upperStored, i));
    }
    registry.GiveOut(upperStored);
    table.SetCell(StoredName, Index(i), std::move(stored));
}

// True when row i may keep its Name as it is: the name is its stored name already, no disk
// refuses it, and no earlier row carries it or was given it.
bool KeepsItsName(const StoredNameRegistry& registry, const FileTable& table, std::int64_t i,
                  bool repeated, const NameLimit& limit) {
    const std::string& stored = table.Cell(StoredName, Index(i));
    return !repeated && stored == table.Cell(Name, Index(i)) && IsPortableName(stored, limit) &&
           !registry.OwnNameTaken(i);
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
        items[row] = {values.Table.Number(Size, row), static_cast<std::uint32_t>(row)};
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
    const NameLimit& limit =
        values.DiskMedium == MediumKind::DiscImage ? kDiscNameLimit : kDriveNameLimit;
    for (std::int64_t i = 0; i < values.FileCount; ++i) {
        const bool repeated = registry.SeenBefore(i);
        if (KeepsItsName(registry, table, i, repeated, limit)) {
            registry.GiveOutOwnName(i);
        } else {
            GiveUniqueName(registry, table, i, repeated, suffix, limit);
        }
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
        mapBytes += MapLineSize(table.Cell(StoredName, Index(row)), diskDigits,
                                table.Number(Size, Index(row)));
    }
    return ClustersOf(kIdentityFileRoom, values.ClusterSize) +
           ClustersOf(mapBytes, values.ClusterSize) +
           ClustersOf(values.HeldPerFile * (values.FileCount + 1), values.ClusterSize);
}

std::int64_t SetFilesClustersAlone(const PlanningValues& values, std::int64_t row) {
    std::int64_t clusters = ClustersOf(kIdentityFileRoom, values.ClusterSize) +
                            ClustersOf(values.HeldPerFile * 2, values.ClusterSize);
    if (row < values.FileCount) {
        const FileTable& table = values.Table;
        clusters += 2 * ClustersOf(IndexLineSize(table.Cell(Folder, Index(row)),
                                                 table.Cell(Name, Index(row)),
                                                 table.Cell(StoredName, Index(row))),
                                   values.ClusterSize) +
                    ClustersOf(MapLineSize(table.Cell(StoredName, Index(row)), 1,
                                           table.Number(Size, Index(row))),
                               values.ClusterSize);
    }
    return clusters;
}

bool HasProgramRow(const PlanningValues& values) {
    const auto row = static_cast<std::size_t>(values.FileCount);
    return row < values.Table.RowCount() && !values.Table.Cell(Name, row).empty();
}

std::string ProgramCopyPath(const PlanningValues& values) {
    const auto row = static_cast<std::size_t>(values.FileCount);
    return std::string(kProgramFolderName) + "/" + values.Table.Cell(Name, row);
}

bool AssignDisks(PlanningRun& run, std::int64_t capacity, std::int64_t step, Packing packing) {
    run.BeginStage(msg::kStageAssign);
    return packing == Packing::Tight ? AssignTight(run, capacity, step)
                                     : AssignInOrder(run, capacity, step);
}

std::int64_t DiskLowerBound(const PlanningValues& values, std::int64_t capacity) {
    DiskFill all{0, 0, 0};
    for (std::int64_t row = 0; row < values.FileCount; ++row) {
        Add(all, RowCost(values, row));
    }
    if (HasProgramRow(values)) {
        Add(all, ProgramCost(values));
    }
    // Every disk rounds its own checksum list up to whole clusters, so the disks together
    // take at least the clusters of all the lines in one list.
    const std::int64_t needed = Usage(all, values.ClusterSize);
    const std::int64_t room = capacity - values.IndexReserve - values.SetFilesReserve;
    if (needed == 0 || room <= 0) {
        return 1;
    }
    return std::max<std::int64_t>(1, needed / room + (needed % room != 0 ? 1 : 0));
}

std::int64_t RowClustersAlone(const PlanningValues& values, std::int64_t row) {
    DiskFill alone{0, 0, 0};
    Add(alone, CostOfRow(values, row));
    return Usage(alone, values.ClusterSize);
}

std::int64_t DiscEntryBytes(std::string_view name) {
    const auto bytes = static_cast<std::int64_t>(name.size());
    // The ISO 9660 record with its name of at most 31 characters and ";1"; Rock Ridge's
    // PX, TF and NM entries (the whole name, in pieces of up to 250 bytes) and the CE entry
    // that continues them; the Joliet record with the name in UTF-16, at most two bytes for
    // each byte of UTF-8.
    const std::int64_t iso = 33 + 34 + 44 + 26 + 5 * (bytes / 250 + 1) + bytes + 28;
    const std::int64_t joliet = 33 + 4 + 2 * bytes + 1;
    const std::int64_t record = iso + joliet;
    // A block keeps its last record's room unused at worst: 2048 - 255 bytes of a block hold
    // records, so the bytes grow by 2048 / 1793 at most.
    constexpr std::int64_t used = kDiscBlockRecordRoom - kLongestDirectoryRecord;
    return (record * kDiscBlockRecordRoom + used - 1) / used;
}

std::int64_t ClustersOf(std::int64_t bytes, std::int32_t clusterSize) {
    if (clusterSize <= 0) {
        return bytes;
    }
    return bytes / clusterSize + (bytes % clusterSize != 0 ? 1 : 0);
}

std::int64_t SizeInClusters(const PlanningValues& values, std::int64_t row) {
    return ClustersOf(values.Table.Number(Size, Index(row)), values.ClusterSize);
}

std::int32_t DiskOfRow(const PlanningValues& values, std::int64_t row) {
    return static_cast<std::int32_t>(values.Table.Number(Disk, Index(row)));
}

void SetDiskOfRow(PlanningValues& values, std::int64_t row, std::int32_t disk) {
    values.Table.SetNumber(Disk, Index(row), disk);
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
