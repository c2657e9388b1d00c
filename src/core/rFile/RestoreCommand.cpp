// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rFile/RestoreCommand.h"

#include "core/FolderFieldCheck.h"
#include "core/SetFormat.h"
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/RestoreRun.h"
#include "fs/Drives.h"
#include "fs/Folders.h"

#include <cstdint>
#include <string>

namespace arbolink {

namespace {

// A CD whose disc offers no free space cannot take a restore. A drive without a disc, or a
// folder that does not exist yet, does not answer here and meets the drive check instead.
bool IsFullCd(const std::string& kind, const std::string& folder) {
    std::int32_t sectorsPerCluster = 0;
    std::int32_t bytesPerSector = 0;
    std::int64_t freeBytes = 0;
    return kind == "CD" && GetDriveSpace(folder, sectorsPerCluster, bytesPerSector, freeBytes) &&
           freeBytes == 0;
}

} // namespace

bool SettleRestoreDestination(Session& session, Host& host, const std::string& folder,
                              const std::string& kind) {
    if (!FolderHasEntries(folder)) {
        return true;
    }
    if (kind == "Rem") {
        Button answer = host.ShowDialog(DialogKind::Information, msg::kEmptyRemovableRestoreFolder,
                                        {Button::Yes, Button::No, Button::Abort});
        if (answer == Button::Yes) {
            session.EmptyingFolder = folder;
            host.Message(DeleteFolderContents(folder, session.EmptyingFolder)
                             ? msg::kEmptied
                             : msg::kEmptyingFailed);
            return true;
        }
        return answer == Button::No && host.ShowDialog(DialogKind::Information, msg::kOverwriteAll,
                                                       {Button::Yes, Button::Abort}) == Button::Yes;
    }
    // Whatever the drive, files of the set's paths would be written over: never unasked.
    return host.ShowDialog(DialogKind::Information, msg::kKeepHardDiskRestoreFolder,
                           {Button::Yes, Button::Abort}) == Button::Yes;
}

bool CheckRestoreFolder(Host& host, const std::string& folder, const std::string& kind) {
    if (folder.empty()) {
        host.Message(msg::kSetRestoreFolder);
        return false;
    }
    if (IsFullCd(kind, folder)) {
        host.Message(msg::kNoRestoreOntoCd);
        return false;
    }
    if (EntryExists(folder) && !FolderExists(folder)) {
        host.ShowDialog(DialogKind::Error, msg::kRestoreFolderIsFile + folder, {Button::Ok});
        return false;
    }
    const FolderCheck check = CheckFolderField(host, folder, Field::RestoreTo, msg::kNoRestoreDrive,
                                               msg::kCreateRestoreFolder);
    if (check == FolderCheck::Ended) {
        return false;
    }
    if (check == FolderCheck::NotCreated) {
        host.ShowDialog(DialogKind::Error, msg::kRestoreFolderNotCreated + folder, {Button::Ok});
        return false;
    }
    if (!FolderTakesFiles(folder)) {
        host.ShowDialog(DialogKind::Error, msg::kRestoreFolderReadOnly + folder, {Button::Ok});
        return false;
    }
    return true;
}

void BitBtn3Click(Session& session, Host& host) {
    const MainFields fields = host.ReadFields();
    const std::string& disks = fields.destination;
    if (disks.empty()) {
        host.Message(msg::kSetDiskFolder);
        return;
    }
    // The restore folder first: a folder the run could not write to must not be found only
    // after the user has been asked for a disk.
    const std::string& target = fields.restoreTo;
    const std::string kind = GetDriveKind(target);
    if (!CheckRestoreFolder(host, target, kind)) {
        return;
    }
    if (CheckFolderField(host, disks, Field::Destination, msg::kNoDiskFolderDrive,
                         msg::kCreateDiskFolder) == FolderCheck::Ended) {
        return;
    }
    // Emptying or writing into a restore folder that holds the set, or lies in it, would
    // destroy the disk's files before they are read.
    if (FoldersOverlap(DiskFolder(disks), target)) {
        host.Message(msg::kDisksInRestoreFolder);
        return;
    }
    if (!SettleRestoreDestination(session, host, target, kind)) {
        return;
    }
    // From here a pulled disk must not let the run read or write the empty mount folder.
    VolumeWatch watch;
    watch.Remember(disks);
    watch.Remember(target);
    RestoreDisks(session, host);
}

} // namespace arbolink
