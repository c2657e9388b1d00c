// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values a split plans with and a restore reads into. They belong to the process and
// live from one split or restore to the next; the next run replaces them.

#include "core/FileTable.h"
#include "fs/Folders.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace arbolink {

// RunStatus values.
inline constexpr int kRunning = -1;
inline constexpr int kTooManyFiles = 0;
inline constexpr int kCancelled = 1;

// Why an entry of the source tree is not carried into a set.
enum class NotCarriedReason {
    LinkToFolder, // a symbolic link to a folder: never followed
    DanglingLink, // a symbolic link whose target is missing
    LinkLoop,     // a symbolic link that leads back to itself
    SpecialFile,  // a FIFO, socket or device
    UnreadableFolder,
    PathTooLong,           // longer than the platform's file calls take: no copy could read it
    LineBreakInName,       // the index cannot hold a name with CR or LF
    SeparatorInFolderName, // "\" separates folders in the index
    NotUtf8Name,           // the index is UTF-8; other bytes would spoil the whole index
    NotRestorableName,     // "\" in a file name, or a drive-like "c:" start: no restore takes it
};

// How the planner deals files out to disks.
enum class Packing {
    InOrder, // largest first, each disk filled before the next is opened: plans users know
    Tight,   // largest first, each file onto the first disk that still has room for it
};

// What the disks of a set are, for the room they give beside their clusters.
enum class MediumKind {
    Folder,    // a folder of a file system: files take whole clusters, names take none
    DiscImage, // an optical disc's ISO 9660 image: every name takes room in its directories
};

struct NotCarried {
    std::string path; // relative to the source root, in the platform's form
    NotCarriedReason reason;
};

// A folder as the counting walk listed it, which the filling walk takes up again instead of
// listing the folder a second time, as long as the folder still has its stamp.
struct CountedFolder {
    FolderStamp stamp;
    std::string names; // the entries' names, each ended by a NUL
    std::vector<EntryKind> kinds;
};

struct PlanningValues {
    FileTable Table;              // FileCount file rows, then the program row
    std::string SourceRoot;       // source folder prefix
    std::string DestRoot;         // split destination folder prefix (the disk folder)
    std::int32_t ClusterSize = 0; // bytes per cluster of the split destination
    MediumKind DiskMedium = MediumKind::Folder;
    std::int64_t FileCount = 0;
    std::int32_t DiskCount = 0;
    std::int64_t IndexReserve = 0; // clusters kept on every disk for the index file
    // Clusters kept on every disk for the identity file and the set map; the checksum list of
    // each disk's own files is counted with them, in DiskUsage.
    std::int64_t SetFilesReserve = 0;
    // Bytes every disk keeps, with the set files, for each file row and the program row: a
    // recovery disk's times lines. 0 without recovery disks.
    std::int64_t HeldPerFile = 0;
    // The fewest disks any plan could use under the same rules: the files' clusters and
    // checksum lines over the room a disk keeps beside the set files.
    std::int64_t DiskLowerBound = 0;
    int RunStatus = kRunning;
    std::vector<std::string> DiskUsage; // clusters planned per disk, decimal
    std::string ProgramFile;            // the program's own file, for the program row
    std::vector<NotCarried> Skipped;    // what the walk found and leaves behind
    // The counting walk's listings by folder prefix, until the filling walk has taken them up.
    std::unordered_map<std::string, CountedFolder> Counted;
};

} // namespace arbolink
