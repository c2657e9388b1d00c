// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/divide/SplitCommand.h"

#include "core/FolderFieldCheck.h"
#include "core/Formatted.h"
#include "core/SetFormat.h"
#include "core/divide/DiscDivide.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/Planning.h"
#include "core/recovery/RecoveryMessages.h"
#include "core/wFile/BurnMessages.h"
#include "core/wFile/SplitRun.h"
#include "fs/Drives.h"
#include "fs/FileSizeLimit.h"
#include "fs/Folders.h"

#include <climits>
#include <cstdio>
#include <memory>
#include <string>
#if ARBOLINK_RECOVERY
#include "core/recovery/ErasureCode.h"
#include "core/recovery/RecoveryDisks.h"
#endif

namespace arbolink {

namespace {

// Checks a folder field as the command needs it. A drive that became ready only after an OK
// is asked about its folder too: a source folder still missing would otherwise become an
// empty plan. True when the command goes on with the folder.
bool FolderFieldUsable(Host& host, const std::string& folder, Field field, const Phrase& notReady,
                       const Phrase& missing, bool goOnWhenCreated) {
    switch (
        CheckFolderField(host, folder, field, notReady, missing, AfterWait::AskFolderQuestion)) {
    case FolderCheck::Ready:
        return true;
    case FolderCheck::Created:
        return goOnWhenCreated;
    case FolderCheck::NotCreated:
        host.Message(std::string(msg::kCreateFolderFailed) + folder);
        return false;
    case FolderCheck::Ended:
        return false;
    }
    return false;
}

enum class EmptyingAnswer { GoOn, End };

// Step of the command for a destination that already holds something: on a removable disk
// the user may have it emptied, on a hard disk only warned; other kinds are not asked.
EmptyingAnswer AskAboutEntries(Session& session, Host& host, const std::string& kind,
                               const std::string& folder, const std::string& source) {
    if (!FolderHasEntries(folder)) {
        return EmptyingAnswer::GoOn;
    }
    if (kind == "Rem") {
        if (FoldersOverlap(folder, source)) {
            host.Message(msg::kFoldersOverlap);
            return EmptyingAnswer::End;
        }
        Button answer = host.ShowDialog(DialogKind::Information, msg::kEmptyRemovable,
                                        {Button::Yes, Button::No, Button::Abort});
        if (answer == Button::Abort) {
            return EmptyingAnswer::End;
        }
        if (answer == Button::Yes) {
            session.EmptyingFolder = folder;
            bool emptied = DeleteFolderContents(folder, session.EmptyingFolder);
            host.Message(emptied ? msg::kDeleted : msg::kDeleteFailed);
        }
        return EmptyingAnswer::GoOn;
    }
    if (kind == "HDD") {
        Button answer = host.ShowDialog(DialogKind::Information, msg::kHardDiskHasEntries,
                                        {Button::Yes, Button::Abort});
        return answer == Button::Yes ? EmptyingAnswer::GoOn : EmptyingAnswer::End;
    }
    return EmptyingAnswer::GoOn;
}

// A file larger than the destination's file system can hold (4 GiB on FAT) would fail on
// its disk after the others were written; it is refused before any disk is asked for.
bool RefuseFilesTooLarge(const PlanningValues& values, Host& host, bool copyProgram) {
    const std::int64_t limit = FileSizeLimit(values.DestRoot);
    if (limit < 0) {
        return false;
    }
    const std::string path = FirstFileBeyond(values, limit, copyProgram);
    if (path.empty()) {
        return false;
    }
    host.Beep();
    host.Warning(msg::kFileTooLargeForDisk + path + msg::kDivideStopped);
    return true;
}

bool AskForDisks(Host& host, std::int32_t diskCount, int recoveryDisks) {
    const std::string text =
        recoveryDisks > 0 ? Formatted(msg::kPrepareDisksWithRecovery, diskCount, recoveryDisks)
                          : Formatted(msg::kPrepareDisks, diskCount);
    return host.ShowDialog(DialogKind::Confirmation, text, {Button::Ok, Button::Cancel}) ==
           Button::Ok;
}

// A plan of more disks than the erasure code takes beside the recovery disks asked for is
// refused before any disk is asked for. True when the command ends there.
bool RefuseTooManyDisks(const PlanningValues& values, Host& host, int recoveryDisks) {
#if ARBOLINK_RECOVERY
    if (recoveryDisks == 0 || RecoveryFits(values.DiskCount, recoveryDisks)) {
        return false;
    }
    host.Beep();
    host.Warning(Formatted(msg::kTooManyDisksForRecovery, recoveryDisks,
                           kMaxSetStreams - recoveryDisks, values.DiskCount));
    return true;
#else
    if (recoveryDisks == 0) {
        return false;
    }
    host.Warning(msg::kRecoveryNotBuilt);
    (void)values;
    return true;
#endif
}

// The clusters a disk is planned with: a recovery disk's stream may be as long as the fullest
// data disk's files, and it needs room beside them for its header and its pieces' rounding.
std::int64_t PlannedCapacity(std::int64_t capacity, std::int32_t clusterSize, int recoveryDisks) {
#if ARBOLINK_RECOVERY
    if (recoveryDisks > 0) {
        return capacity - RecoveryReserveClusters(capacity, clusterSize, recoveryDisks);
    }
#else
    (void)clusterSize;
    (void)recoveryDisks;
#endif
    return capacity;
}

// Every file of a set with recovery disks has a line of times in their header.
std::int64_t HeldPerFile(int recoveryDisks) {
#if ARBOLINK_RECOVERY
    return recoveryDisks > 0 ? TimesLineBound() : 0;
#else
    (void)recoveryDisks;
    return 0;
#endif
}

// A destination that names an optical drive has its disks burnt onto discs, one disc a disk.
void DivideOntoOpticalDrive(Session& session, Host& host, const MainFields& fields, Burner& burner,
                            const std::string& drive) {
    if (!BurningBuilt()) {
        host.Message(msg::kBurnNotBuilt);
        return;
    }
    // Images written into the source would be taken in by its next divide.
    if (IsImageDrive(drive) &&
        RefuseDestinationInSource(host, ImageFilePath(drive), fields.source)) {
        return;
    }
    DivideOntoDiscs(session, host, fields, burner, drive, 0, "");
}

// Everything of the command after its fields were read, up to the end of the split run.
void Divide(Session& session, Host& host, VolumeWatch& watch, const MainFields& fields,
            Burner& burner) {
    const std::string& source = fields.source;
    if (source.empty()) {
        host.Message(msg::kSetSource);
        return;
    }
    // A source folder just created holds nothing to divide: the command ends there.
    if (!FolderFieldUsable(host, source, Field::Source, msg::kNoSourceDisk, msg::kCreateSource,
                           false)) {
        return;
    }
    watch.Remember(source);
    if (const std::string drive = OpticalDriveOf(fields.destination); !drive.empty()) {
        DivideOntoOpticalDrive(session, host, fields, burner, drive);
        return;
    }

    std::string destination = fields.destination;
    const std::string kind = GetDriveKind(destination);
    std::int32_t sectorsPerCluster = 0;
    std::int32_t bytesPerSector = 0;
    std::int64_t freeBytes = 0;
    if (kind == "CD" && GetDriveSpace(destination, sectorsPerCluster, bytesPerSector, freeBytes) &&
        freeBytes == 0) {
        host.Message(msg::kCdRefused);
        return;
    }
    if (destination.empty()) {
        host.Message(msg::kSetDestination);
        return;
    }
    if (RefuseDestinationInSource(host, destination, source)) {
        return;
    }
    if (!FolderFieldUsable(host, destination, Field::Destination, msg::kNoDestinationDisk,
                           msg::kCreateDestination, true)) {
        return;
    }
    // From here on a pulled medium reads as no disk, never as the empty mount folder.
    watch.Remember(destination);
    if (!GetDriveSpace(destination, sectorsPerCluster, bytesPerSector, freeBytes)) {
        host.Message(msg::kDriveUnreadable);
        return;
    }
    const bool driveRoot = IsDriveRoot(AddBackslash(destination));
    if (driveRoot) {
        destination = AddBackslash(destination) + kDummyFolderName + kPathSeparator;
    }
    if (AskAboutEntries(session, host, kind, destination, source) == EmptyingAnswer::End) {
        return;
    }
    const std::int64_t clusterSize = std::int64_t{sectorsPerCluster} * bytesPerSector;
    if (clusterSize <= 0 || clusterSize > INT32_MAX) {
        host.Message(msg::kDriveUnreadable);
        return;
    }
    const auto cluster = static_cast<std::int32_t>(clusterSize);
    RunDivide(session, host, fields, cluster,
              CapacityInClusters(freeBytes, session.FreeSpacePercent, cluster), driveRoot);
}

} // namespace

std::string FirstFileBeyond(const PlanningValues& values, std::int64_t limit, bool copyProgram) {
    const std::int64_t rows = values.FileCount + (copyProgram ? 1 : 0);
    for (std::int64_t row = 0; row < rows; ++row) {
        const auto r = static_cast<std::size_t>(row);
        if (r < values.Table.RowCount() && values.Table.Number(Size, r) > limit) {
            return SourcePathOfRow(values, row);
        }
    }
    return {};
}

bool RefuseDestinationInSource(Host& host, const std::string& destination,
                               const std::string& source) {
    if (!FolderWithin(destination, source)) {
        return false;
    }
    host.Message(msg::kDestinationInSource);
    return true;
}

void BitBtn2Click(Session& session, Host& host) {
    const std::unique_ptr<Burner> burner = OpenBurner();
    BitBtn2Click(session, host, *burner);
}

void BitBtn2Click(Session& session, Host& host, Burner& burner) {
    VolumeWatch watch;
    Divide(session, host, watch, host.ReadFields(), burner);
}

void RunDivide(Session& session, Host& host, const MainFields& fields, std::int32_t clusterSize,
               std::int64_t capacity, bool destinationIsDriveRoot, DiskSupplier* disks) {
    PlanningValues& values = session.values;
    if (values.ProgramFile.empty()) {
        values.ProgramFile = ProgramFilePath();
    }
    PlanRequest request;
    request.source = fields.source;
    request.destination = fields.destination;
    request.destinationIsDriveRoot = destinationIsDriveRoot;
    request.copyProgram = fields.copyProgram;
    request.clusterSize = clusterSize;
    request.capacity = PlannedCapacity(capacity, clusterSize, session.RecoveryDisks);
    request.heldBack = capacity - request.capacity;
    request.heldPerFile = HeldPerFile(session.RecoveryDisks);
    request.packing = session.DiskPacking;
    request.medium = session.DiskMedium;
    if (RunPlanning(values, host, request) == PlanOutcome::Complete &&
        !RefuseFilesTooLarge(values, host, fields.copyProgram) &&
        !RefuseTooManyDisks(values, host, session.RecoveryDisks) &&
        AskForDisks(host, values.DiskCount, session.RecoveryDisks)) {
        WriteRequest write;
        write.clusterSize = clusterSize;
        write.copyProgram = fields.copyProgram;
        write.disks = disks;
        write.verifyAfterWrite = session.VerifyAfterWrite;
        write.media = session.Media;
        write.ejectWritten = session.EjectWritten;
        write.recoveryDisks = session.RecoveryDisks;
        write.recoveryCache = session.RecoveryCache;
        WriteDisks(values, host, write);
    }
    values.DiskUsage.clear(); // lives for one planning run only
}

bool SettleSplitDestination(Session& session, Host& host, const std::string& kind,
                            const std::string& folder, const std::string& source) {
    return AskAboutEntries(session, host, kind, folder, source) == EmptyingAnswer::GoOn;
}

} // namespace arbolink
