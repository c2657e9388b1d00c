// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The planning run of a divide: the inventory and the disk assignment behind the progress
// dialog, then the report of how planning ended.

#include "core/Host.h"
#include "core/PlanningValues.h"

#include <cstdint>
#include <string>
#include <vector>

namespace arbolink {

struct PlanRequest {
    std::string source;                  // copy source folder, as the field holds it
    std::string destination;             // split destination folder, as the field holds it
    bool destinationIsDriveRoot = false; // the set then lives in "@dummy@" and takes a cluster
    bool copyProgram = false;
    std::int32_t clusterSize = 0;
    std::int64_t capacity = 0; // clusters a disk may take
    // Clusters of each disk held back beside capacity (for recovery disks' own files): a
    // capacity the refusal names counts them too.
    std::int64_t heldBack = 0;
    // Bytes each disk holds back for every file of the set and the program copy, besides the
    // index and the map (a recovery disk's line of times for it).
    std::int64_t heldPerFile = 0;
    Packing packing = Packing::InOrder;
    // A disc image's file system takes blocks of its own and room for every name; clusterSize
    // is then its block size.
    MediumKind medium = MediumKind::Folder;
};

enum class PlanOutcome {
    Complete,
    TableTooLarge, // the table could not be allocated
    TooManyFiles,  // the source grew between the two walks
    FileTooLarge,  // a file does not fit on one disk
    IndexTooLarge, // the set files every disk carries leave no room for the largest file
    Cancelled,
};

// Clusters a disk may take: (freeBytes * percent) / clusterSize / 100, taken up to the next
// whole number.
std::int64_t CapacityInClusters(std::int64_t freeBytes, std::int32_t percent,
                                std::int32_t clusterSize);

// Builds the plan into values: walk, sort, same-name check, index reservation and packing,
// with the progress dialog up and the main window disabled. After the dialog is gone and the
// window enabled again it shows the outcome's message and, for a complete plan, the list of
// what will not be carried. The disk-count question and the writing are the caller's.
PlanOutcome RunPlanning(PlanningValues& values, Host& host, const PlanRequest& request);

// The path of a file row (or of the program for the program row) as the user knows it.
std::string SourcePathOfRow(const PlanningValues& values, std::int64_t row);

// What the walk left behind, for a message: the first entries as "path（reason）", each on a
// line of its own after a line feed, then a line with the number of the rest.
std::string NotCarriedLines(const std::vector<NotCarried>& skipped);

} // namespace arbolink
