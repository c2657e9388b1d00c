// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checking the disks of a set without restoring them: every stored file is read back from its
// medium (past the system's cache) and compared with the size and SHA-256 the set map records.
// The command-line tool and the window run the same check; the window's menu item is Verify1.

#include "core/DiskSupplier.h"
#include "core/Host.h"
#include "core/Session.h"
#include "core/SetChecksums.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace arbolink {

enum class FileState {
    Good,      // read back whole, and its size and digest are the ones recorded
    Damaged,   // its digest or size differs, or it cannot be read: reason says which
    Missing,   // the disk holds no file of its stored name
    Unchecked, // found, but no map read so far records its digest
    Skipped,   // not read: the check was cancelled before it
};

struct FileCheck {
    MapEntry entry;   // stored name, disk, size and digest as the map records them
    std::string path; // the file's own folder and name, from the index
    FileState state = FileState::Skipped;
    std::string reason; // Damaged: why, in the user's words
};

// Before each file is read, with bytesRead 0, and between the chunks of its reading, with the
// bytes read so far: false stops the check there (Cancel).
using CheckProgress = std::function<bool(const FileCheck& file, std::int64_t bytesRead)>;

// Checks files, the map's entries of one disk, against that disk's folder (a folder prefix),
// in their order, setting state and reason. A stored file is found only under its exact name,
// as a restore finds it. False when progress stopped it; files not reached, and the one whose
// reading it stopped, stay Skipped.
bool CheckDiskFiles(const std::string& diskFolder, std::vector<FileCheck>& files,
                    const CheckProgress& progress);

// What a disk holds of the set map.
enum class DiskChecksums {
    Present,    // a map that could be read
    None,       // no map: a set written before checksums were kept
    Unreadable, // a map that cannot be read or is not in its form
};

struct DiskCheck {
    std::int32_t disk = 0;
    std::string folder; // the disk folder read; empty for a disk not given
    DiskChecksums checksums = DiskChecksums::None;
    std::vector<FileCheck> files; // the files the maps place on this disk, in map order
};

// How the taking of disks came to an end.
enum class CheckEnding {
    Finished,  // every disk of the set was checked, or the given folders ran out
    Stopped,   // the user answered that no further disk comes
    Aborted,   // the user chose Abort
    Cancelled, // Cancel in the progress dialog
};

struct SetCheckReport {
    std::string setId;
    std::int32_t diskCount = 0;      // 0 when no disk of a set was read
    std::vector<DiskCheck> checked;  // in the order the disks were checked
    std::vector<DiskCheck> notGiven; // the set's other disks, by number, with their files
    // Files the check cannot place on a disk of the set: index rows that no map names, and
    // map lines naming a disk beyond the set's count. Nothing tells whether they are sound.
    std::vector<FileCheck> unplaced;
    bool indexRead = false; // the first disk's index was read: the set can be restored
    CheckEnding ending = CheckEnding::Finished;

    // True only when every disk of the set was checked, carried its checksums, and every
    // file of the set was found and matched.
    bool Verified() const;
};

// Checks the disks in the drive of the split destination field, asking for disk after disk
// until every disk of the set was checked or the user stops; given a supplier, its folders
// in their order instead, without a question. A folder or disk of another set, or one checked
// already, is passed over. Ends with a closing message naming the damaged and missing files
// and the disks not checked, and answers what was found.
SetCheckReport CheckSetDisks(Host& host, DiskSupplier* disks = nullptr);

// The menu item Verify1 (検査): the split destination field must be set; then the check of the
// disks inserted in its drive, whose findings it answers (nothing checked when the field is
// empty).
SetCheckReport Verify1Click(Session& session, Host& host);

} // namespace arbolink
