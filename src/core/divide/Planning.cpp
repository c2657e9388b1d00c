// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/divide/Planning.h"

#include "core/Progress.h"
#include "core/SetChecksums.h"
#include "core/SetFormat.h"
#include "core/divide/DiskAssignment.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/Inventory.h"
#include "fs/Folders.h"

#include <cstdio>
#include <memory>
#include <new>

namespace arbolink {

namespace {

constexpr std::size_t kListedNotCarried = 20;

void SetUpPlanningDialog(ProgressDialog& dialog) {
    dialog.SetOuterSize(350, 195);
    dialog.SetAnimation(Animation::FindFolder, 8, 8, true);
    dialog.SetMessage({95, 16, 240, 50}, TextAlignment::Center, msg::kPlanningMessage);
    dialog.PlaceGauge(24, 96);
    dialog.SetGauge(0);
    dialog.SetCaption(msg::kPlanningCaption);
}

const char* ReasonText(NotCarriedReason reason) {
    switch (reason) {
    case NotCarriedReason::LinkToFolder:
        return msg::kReasonLinkToFolder;
    case NotCarriedReason::DanglingLink:
        return msg::kReasonDanglingLink;
    case NotCarriedReason::LinkLoop:
        return msg::kReasonLinkLoop;
    case NotCarriedReason::SpecialFile:
        return msg::kReasonSpecialFile;
    case NotCarriedReason::UnreadableFolder:
        return msg::kReasonUnreadableFolder;
    case NotCarriedReason::PathTooLong:
        return msg::kReasonPathTooLong;
    case NotCarriedReason::LineBreakInName:
        return msg::kReasonLineBreakInName;
    case NotCarriedReason::SeparatorInFolderName:
        return msg::kReasonSeparatorInFolderName;
    case NotCarriedReason::NotUtf8Name:
        return msg::kReasonNotUtf8Name;
    case NotCarriedReason::NotRestorableName:
        return msg::kReasonNotRestorableName;
    }
    return "";
}

// Names are shown as far as they are text; a stray byte would garble the whole dialog.
std::string Printable(const std::string& path) {
    std::string out;
    for (char c : path) {
        auto code = static_cast<unsigned char>(c);
        out += code < 0x20 ? '?' : c;
    }
    return out;
}

std::string NotCarriedList(const std::vector<NotCarried>& skipped) {
    char line[256];
    std::snprintf(line, sizeof line, msg::kNotCarriedHeader, static_cast<int>(skipped.size()));
    // Appended, not line + text: GCC 12 at -O3 warns falsely (-Wrestrict) on that insert.
    std::string text = line;
    text += NotCarriedLines(skipped);
    return text;
}

// Whether an empty disk holds the largest file and the program copy beside the set files.
bool FirstDiskTakesLargest(const PlanningValues& values, std::int64_t capacity) {
    const std::int64_t reserve = values.IndexReserve + values.SetFilesReserve;
    const std::int64_t largest =
        values.FileCount == 0 ? 0
                              : SizeInClusters(values, 0) +
                                    ClustersOf(ChecksumLineSize(values.Table.Cell(StoredName, 0)),
                                               values.ClusterSize);
    const std::int64_t program =
        HasProgramRow(values)
            ? SizeInClusters(values, values.FileCount) +
                  ClustersOf(ChecksumLineSize(ProgramCopyPath(values)), values.ClusterSize)
            : 0;
    return reserve + largest <= capacity && reserve + program <= capacity;
}

void ClearAssignment(PlanningValues& values) {
    for (std::int64_t row = 0; row < values.FileCount; ++row) {
        values.Table.Cell(Disk, static_cast<std::size_t>(row)).clear();
    }
    values.DiskUsage.clear();
    values.DiskCount = 0;
}

// Steps of the planning from the walk to the packing; answers the outcome.
PlanOutcome Plan(PlanningRun& run, const PlanRequest& request, std::int64_t capacity) {
    PlanningValues& values = run.values;
    const std::int64_t step = ProgressStepFor(values.FileCount);

    run.BeginStage(msg::kStageWalk);
    values.RunStatus = kRunning;
    std::int64_t rowIndex = -1;
    FillFileTable(run, values.SourceRoot, step, rowIndex);
    if (values.RunStatus >= 0) {
        return values.RunStatus == kCancelled ? PlanOutcome::Cancelled : PlanOutcome::TooManyFiles;
    }
    values.FileCount = rowIndex + 1; // files that vanished after the count leave no rows
    if (request.copyProgram) {
        AddProgramRow(values);
    }
    SortBySize(run);
    // The program row is tested as well: disk 1 must hold it beside the index.
    const std::int64_t program = SizeInClusters(values, values.FileCount);
    if (SizeInClusters(values, 0) > capacity || program > capacity) {
        return PlanOutcome::FileTooLarge;
    }
    CheckSameNames(run, step);
    if (values.RunStatus >= 0) {
        return PlanOutcome::Cancelled;
    }
    values.IndexReserve = ClustersOf(IndexFileSize(values), values.ClusterSize);
    capacity -= values.IndexReserve;
    // The set map names each file's disk: its room is known once the disk count's digits are.
    // A plan that needs more disks than the digits counted on is made again with one more.
    for (int diskDigits = 1;; ++diskDigits) {
        values.SetFilesReserve = SetFilesClusters(values, diskDigits);
        if (!FirstDiskTakesLargest(values, capacity)) {
            return PlanOutcome::FileTooLarge;
        }
        if (!AssignDisks(run, capacity, step, request.packing)) {
            return PlanOutcome::FileTooLarge;
        }
        const auto digits = static_cast<int>(std::to_string(values.DiskCount).size());
        if (values.RunStatus >= 0 || digits <= diskDigits) {
            break;
        }
        ClearAssignment(values);
    }
    values.DiskLowerBound = DiskLowerBound(values, capacity);
    return values.RunStatus == kCancelled ? PlanOutcome::Cancelled : PlanOutcome::Complete;
}

void ReportOutcome(Host& host, PlanOutcome outcome, const PlanningValues& values) {
    switch (outcome) {
    case PlanOutcome::FileTooLarge:
        host.Beep();
        host.Warning(msg::kFileTooLarge);
        break;
    case PlanOutcome::TooManyFiles:
        host.Warning(msg::kTooManyFiles);
        break;
    case PlanOutcome::Cancelled:
        host.Warning(msg::kCancelled);
        break;
    case PlanOutcome::Complete:
        if (!values.Skipped.empty()) {
            host.Warning(NotCarriedList(values.Skipped));
        }
        break;
    case PlanOutcome::TableTooLarge:
        break;
    }
}

} // namespace

std::string NotCarriedLines(const std::vector<NotCarried>& skipped) {
    char line[256];
    std::string text;
    for (std::size_t i = 0; i < skipped.size() && i < kListedNotCarried; ++i) {
        // Appended piece by piece: "\n" + a temporary string makes GCC 12 at -O3 warn falsely
        // (-Wrestrict), and this copies less.
        text += '\n';
        text += Printable(skipped[i].path);
        text += "（";
        text += ReasonText(skipped[i].reason);
        text += "）";
    }
    if (skipped.size() > kListedNotCarried) {
        std::snprintf(line, sizeof line, msg::kNotCarriedMore,
                      static_cast<int>(skipped.size() - kListedNotCarried));
        text += "\n";
        text += line;
    }
    return text;
}

std::int64_t CapacityInClusters(std::int64_t freeBytes, std::int32_t percent,
                                std::int32_t clusterSize) {
    if (clusterSize <= 0 || freeBytes <= 0 || percent <= 0) {
        return 0;
    }
    const std::int64_t share = freeBytes * percent;
    const std::int64_t divisor = std::int64_t{clusterSize} * 100;
    return share / divisor + (share % divisor != 0 ? 1 : 0);
}

PlanOutcome RunPlanning(PlanningValues& values, Host& host, const PlanRequest& request) {
    values.Table.Discard();
    values.Skipped.clear();
    values.SourceRoot = AddBackslash(request.source);
    values.DestRoot = AddBackslash(request.destination);
    values.ClusterSize = request.clusterSize;
    values.DiskUsage.clear();
    values.DiskCount = 0;
    values.IndexReserve = 0;
    values.SetFilesReserve = 0;
    values.DiskLowerBound = 0;
    std::int64_t capacity = request.capacity;
    if (request.destinationIsDriveRoot) {
        values.DestRoot += kDummyFolderName;
        values.DestRoot += kPathSeparator;
        capacity -= 1;
    }

    values.FileCount = 0;
    CountFiles(values, values.SourceRoot);
    try {
        values.Table.Allocate(static_cast<std::size_t>(values.FileCount) + 1);
    } catch (const std::bad_alloc&) {
        values.Table.Discard();
        host.Beep();
        host.Warning(msg::kTooManyCopyFilesAlloc);
        return PlanOutcome::TableTooLarge;
    }
    ClearFileTable(values, values.FileCount + 1);
    values.RunStatus = kRunning;

    PlanOutcome outcome;
    {
        std::unique_ptr<ProgressDialog> dialog = host.CreateProgressDialog();
        SetUpPlanningDialog(*dialog);
        MainWindowDisabled disabled(host);
        dialog->Show();
        PlanningRun run{values, host, *dialog};
        outcome = Plan(run, request, capacity);
        dialog.reset(); // the dialog goes before the window is enabled again
    }
    ReportOutcome(host, outcome, values);
    return outcome;
}

} // namespace arbolink
