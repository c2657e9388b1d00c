// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Disk assignment: sorting the file rows largest first, making stored names unique, the
// room reserved for the index, and dealing the rows out to disks.
//
// Space is counted in clusters of the split destination (ClusterSize bytes each).

#include "core/divide/PlanningRun.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace arbolink {

// Reorders the file rows by Size, largest first, with the planner's quicksort: rows of equal
// size end in the order that sort gives them, and that order decides which same-named file
// keeps its name and how disks fill.
void SortBySize(PlanningRun& run);

// Gives every file row whose Name repeats an earlier row's Name (ignoring letter case) the
// StoredName + "-" + n, n counting clashes over the whole table. Beyond that, stored names
// are kept portable and unique in the whole set: a stored name never equals another row's
// stored name or Name, a set file's name or, with the program copy, its folder "Arbolink";
// where it would, it gets a further suffix. On an optical disc's image a stored name also
// keeps within the UTF-16 units of Joliet's names (kDiscNameLimit), so that Windows reads it
// whole.
void CheckSameNames(PlanningRun& run, std::int64_t step);

// Byte size of the index file the set files writer makes for the current file rows.
std::int64_t IndexFileSize(const PlanningValues& values);

// Clusters every disk keeps for its identity file and the set map, whose disk numbers have at
// most diskDigits digits, and the room held for every row (PlanningValues::HeldPerFile).
std::int64_t SetFilesClusters(const PlanningValues& values, int diskDigits);
// Clusters the set files would take in a set holding nothing but the row (a file row, or the
// program row): the index reservation counted twice as planning counts it, the identity file
// and the set map.
std::int64_t SetFilesClustersAlone(const PlanningValues& values, std::int64_t row);
// Whether the table's row after the files holds the program, which disk 1 then carries.
bool HasProgramRow(const PlanningValues& values);
// The path of that program copy below the disk folder, as the checksum list names it.
std::string ProgramCopyPath(const PlanningValues& values);
// Fills Disk of every file row, sets DiskCount and appends one DiskUsage entry per disk. A
// disk's usage starts with IndexReserve and SetFilesReserve (and the program row on disk 1)
// and counts, with each file, its line in the disk's checksum list. InOrder fills each disk
// with the sorted rows until one does not fit; Tight puts each row onto the first disk with
// room for it. Answers false when a disk after the first would stay empty (a row larger than
// a disk), which the planning's size tests rule out beforehand.
bool AssignDisks(PlanningRun& run, std::int64_t capacity, std::int64_t step,
                 Packing packing = Packing::InOrder);

// The fewest disks of capacity clusters any assignment under AssignDisks' rules could use:
// every file's clusters and checksum line, and the program copy, over the room a disk keeps
// beside IndexReserve and SetFilesReserve. At least 1.
std::int64_t DiskLowerBound(const PlanningValues& values, std::int64_t capacity);

// Clusters of a row: 0 for an empty Size, otherwise Size / ClusterSize taken up.
std::int64_t SizeInClusters(const PlanningValues& values, std::int64_t row);
// Disk of a row, 0 while it has none.
std::int32_t DiskOfRow(const PlanningValues& values, std::int64_t row);
void SetDiskOfRow(PlanningValues& values, std::int64_t row, std::int32_t disk);
// True when every file row has a disk (also when there are none).
bool AllAssigned(const PlanningValues& values);

// Clusters a row (or the program row) takes on a disk of its own: its own clusters, its line
// in the checksum list and its names in the medium's directories.
std::int64_t RowClustersAlone(const PlanningValues& values, std::int64_t row);

// Bytes of a block of an optical disc's file system, whose directories hold the records.
inline constexpr std::int64_t kDiscBlockRecordRoom = 2048;
// Blocks an optical disc's ISO 9660 image with Rock Ridge and Joliet takes whatever it holds:
// the system area (16), the volume descriptors, the path tables of both trees, the root
// folder, "@dummy@" and "Arbolink" in both trees with the records of the set files, and the
// Rock Ridge signature, with room to spare.
inline constexpr std::int64_t kDiscImageOwnBlocks = 64;
// Bytes a stored name takes in the directories of such an image at most: its ISO 9660 record
// with the Rock Ridge entries and its Joliet record, with the part of a block a record may
// leave unused.
std::int64_t DiscEntryBytes(std::string_view name);

// Clusters a byte count takes: bytes / clusterSize taken up to the next whole number.
std::int64_t ClustersOf(std::int64_t bytes, std::int32_t clusterSize);

} // namespace arbolink
