// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The split run: asks for the disks of a finished plan one after another, checks each, writes
// its set files and copies its files behind a progress dialog, hashing each on the way, writes
// the disk's checksum files, reads the disk back when asked to, and ends with one closing
// message. Every copy that fails is reported with the file's name and counted as not copied.

#include "core/DiskSupplier.h"
#include "core/Host.h"
#include "core/PlanningValues.h"
#include "fs/MediaWatch.h"

#include <cstdint>
#include <ctime>
#include <string>

namespace arbolink {

struct WriteRequest {
    std::int64_t clusterSize = 0; // bytes per cluster, as the split command measured it
    bool copyProgram = false;     // the program file goes into "Arbolink" on disk 1
    // Null: every disk is inserted into DestRoot's drive on request. Otherwise disk n is
    // written into the supplier's folder n without a request, and DestRoot follows it.
    DiskSupplier* disks = nullptr;
    // Every disk's files are read back from the medium and checked against their checksums
    // before the next disk is asked for.
    bool verifyAfterWrite = true;
    // Given, the drive's media are followed: the disk asked for is the medium that appears
    // next in DestRoot's drive (for sticks and cards, any new one of their kind), wherever
    // it is mounted, and the question for it closes by itself. Null: DestRoot stays put.
    MediaWatcher* media = nullptr;
    // A disk written, flushed and read back is ejected through the watcher.
    bool ejectWritten = false;
    // Recovery disks written after the data disks, from parity built while they are written
    // (only in a build with the erasure code). Disk N + j of a supplier is recovery disk j.
    int recoveryDisks = 0;
    // The folder of the parity's working files (a folder prefix); empty: the user's cache.
    std::string recoveryCache;
};

enum class WriteOutcome {
    Finished,           // every file copied
    FinishedWithMisses, // the run went through, but some files were not copied or carried
    Cancelled,          // Cancel in a progress dialog
    Aborted,            // Abort in one of the run's questions: no closing message
};

// Writes the disks of the plan in values (FileTable, FileCount, DiskCount, DiskUsage,
// SourceRoot, DestRoot, ProgramFile). Sets RunStatus to cancelled on Cancel.
WriteOutcome WriteDisks(PlanningValues& values, Host& host, const WriteRequest& request);

// The identity of a set begun at that moment: local date and time, "2026/12/09 8:05:03".
std::string SetIdAt(std::time_t moment);

// The identity of a new set: SetIdAt the moment, a blank and a random tag of 16 hex digits,
// "2026/12/09 8:05:03 #3fa92c0d51e8b764", so that sets begun in one second differ.
std::string NewSetId(std::time_t moment);

} // namespace arbolink
