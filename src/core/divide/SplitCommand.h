// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The split command: the Divide button BitBtn2 and the menu item N1 (Ctrl+D). It checks the
// copy source and the split destination, asks what to do with a destination that already
// holds something, measures the room of a disk and hands over to the planning run, which
// plans, asks for the number of disks and runs the split.

#include "core/DiskSupplier.h"
#include "core/Host.h"
#include "core/Session.h"
#include "fs/Burner.h"

#include <cstdint>
#include <string>

namespace arbolink {

// The command from the main window's fields to the closing message of the split run. A split
// destination that names an optical drive (see OpticalDriveOf) has the disks burnt onto discs
// planned for the blank disc in it.
void BitBtn2Click(Session& session, Host& host);

// The same, burning with the given burner.
void BitBtn2Click(Session& session, Host& host, Burner& burner);

// The planning run: plans the divide of the fields' folders with disks of capacity clusters,
// then asks for "ディスクを N 枚、用意してください" and writes the disks on OK, into the
// supplier's folders when one is given.
void RunDivide(Session& session, Host& host, const MainFields& fields, std::int32_t clusterSize,
               std::int64_t capacity, bool destinationIsDriveRoot, DiskSupplier* disks = nullptr);

// The command's step for a destination folder that already holds something, by the kind of
// its drive: on a removable disk the user may have it emptied (refused when it overlaps the
// source), on a hard disk only go on; other kinds go on without a question. False when the
// command ends there.
bool SettleSplitDestination(Session& session, Host& host, const std::string& kind,
                            const std::string& folder, const std::string& source);

// Refuses a split destination that is the source folder or lies inside it, with a message:
// the walk would take in the set being written, and emptying it would delete source files.
// True when the command ends there.
bool RefuseDestinationInSource(Host& host, const std::string& destination,
                               const std::string& source);

// The first file of the plan (the program row too when the program is copied) larger than
// limit bytes, as the user knows its path; empty when every file fits.
std::string FirstFileBeyond(const PlanningValues& values, std::int64_t limit, bool copyProgram);

} // namespace arbolink
