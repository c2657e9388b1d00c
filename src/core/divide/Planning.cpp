// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/divide/Planning.h"

#include "core/CopyReasons.h"
#include "core/Formatted.h"
#include "core/Progress.h"
#include "core/Quantities.h"
#include "core/SetChecksums.h"
#include "core/SetFormat.h"
#include "core/divide/DiskAssignment.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/Inventory.h"
#include "fs/Folders.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
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

const Phrase& ReasonText(NotCarriedReason reason) {
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
    return msg::kReasonSpecialFile;
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
    // Appended, not line + text: GCC 12 at -O3 warns falsely (-Wrestrict) on that insert.
    std::string text = Formatted(msg::kNotCarriedHeader, skipped.size());
    text += NotCarriedLines(skipped);
    return text;
}

// Whether an empty disk holds the largest file and the program copy beside the set files.
bool FirstDiskTakesLargest(const PlanningValues& values, std::int64_t capacity) {
    const std::int64_t reserve = values.IndexReserve + values.SetFilesReserve;
    const std::int64_t largest = values.FileCount == 0 ? 0 : RowClustersAlone(values, 0);
    const std::int64_t program =
        HasProgramRow(values) ? RowClustersAlone(values, values.FileCount) : 0;
    return reserve + largest <= capacity && reserve + program <= capacity;
}

// The warning for a file row (or the program row) that no disk takes, naming it.
std::string FileTooLargeText(const PlanningValues& values, std::int64_t row) {
    const std::string path = Printable(SourcePathOfRow(values, row));
    return Formatted(msg::kFileTooLargeNamed, path);
}

// The refusal when an empty disk does not take the largest file or the program beside the
// set files, with capacity the clusters left after the index reservation. The file is to
// blame when it would not fit even beside the set files of a set of itself alone; otherwise
// it is the list of the whole set, and the message says what disk would take it.
PlanOutcome RefuseOversized(const PlanningValues& values, std::int64_t capacity,
                            std::int64_t requested, std::string& text) {
    const std::int64_t reserve = values.IndexReserve + values.SetFilesReserve;
    const std::int64_t largest = values.FileCount == 0 ? 0 : RowClustersAlone(values, 0);
    const std::int64_t program =
        HasProgramRow(values) ? RowClustersAlone(values, values.FileCount) : 0;
    const std::int64_t culprit =
        values.FileCount > 0 && reserve + largest > capacity ? 0 : values.FileCount;
    const std::int64_t full = capacity + values.IndexReserve;
    if (culprit == values.FileCount && !HasProgramRow(values)) {
        text = msg::kFileTooLarge;
        return PlanOutcome::FileTooLarge;
    }
    if (RowClustersAlone(values, culprit) + SetFilesClustersAlone(values, culprit) > full) {
        text = FileTooLargeText(values, culprit);
        return PlanOutcome::FileTooLarge;
    }
    // On a disk just large enough, each disk may hold one file: the set map is counted with
    // the digits of that many disks, so the capacity named is enough whatever the count.
    const auto mostDigits = static_cast<int>(std::to_string(values.FileCount + 1).size());
    const std::int64_t shortfall = values.IndexReserve + SetFilesClusters(values, mostDigits) +
                                   std::max(largest, program) - capacity;
    text = Formatted(msg::kIndexTooLarge, values.FileCount,
                     ByteCountText((requested + shortfall) * values.ClusterSize));
    return PlanOutcome::IndexTooLarge;
}

void ClearAssignment(PlanningValues& values) {
    for (std::int64_t row = 0; row < values.FileCount; ++row) {
        values.Table.SetNumber(Disk, static_cast<std::size_t>(row), 0);
    }
    values.DiskUsage.clear();
    values.DiskCount = 0;
}

// Steps of the planning from the walk to the packing; answers the outcome, and in refusal
// the message of a refused plan.
PlanOutcome Plan(PlanningRun& run, const PlanRequest& request, std::int64_t capacity,
                 std::string& refusal) {
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
        refusal = FileTooLargeText(values, program > capacity ? values.FileCount : 0);
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
        if (!FirstDiskTakesLargest(values, capacity) ||
            !AssignDisks(run, capacity, step, request.packing)) {
            return RefuseOversized(values, capacity, request.capacity + request.heldBack, refusal);
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

void ReportOutcome(Host& host, PlanOutcome outcome, const PlanningValues& values,
                   const std::string& refusal) {
    switch (outcome) {
    case PlanOutcome::FileTooLarge:
    case PlanOutcome::IndexTooLarge:
        host.Beep();
        host.Warning(refusal);
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
    std::string text;
    for (std::size_t i = 0; i < skipped.size() && i < kListedNotCarried; ++i) {
        // Appended piece by piece: "\n" + a temporary string makes GCC 12 at -O3 warn falsely
        // (-Wrestrict), and this copies less.
        text += '\n';
        text += Formatted(msg::kNameWithReason, Printable(skipped[i].path),
                          ReasonText(skipped[i].reason));
    }
    if (skipped.size() > kListedNotCarried) {
        text += "\n";
        text += Formatted(msg::kNotCarriedMore, skipped.size() - kListedNotCarried);
    }
    return text;
}

std::string SourcePathOfRow(const PlanningValues& values, std::int64_t row) {
    const auto r = static_cast<std::size_t>(row);
    return row == values.FileCount
               ? values.ProgramFile
               : values.SourceRoot + FromIndexFolder(values.Table.Cell(Folder, r)) +
                     values.Table.Cell(Name, r);
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
    values.Counted.clear();
    values.SourceRoot = AddBackslash(request.source);
    values.DestRoot = AddBackslash(request.destination);
    values.ClusterSize = request.clusterSize;
    values.DiskUsage.clear();
    values.DiskCount = 0;
    values.IndexReserve = 0;
    values.SetFilesReserve = 0;
    values.HeldPerFile = request.heldPerFile;
    values.DiskLowerBound = 0;
    std::int64_t capacity = request.capacity;
    if (request.destinationIsDriveRoot) {
        values.DestRoot += kDummyFolderName;
        values.DestRoot += kPathSeparator;
        capacity -= 1;
    }
    values.DiskMedium = request.medium;
    if (request.medium == MediumKind::DiscImage) {
        capacity -= kDiscImageOwnBlocks;
    }

    values.FileCount = 0;
    CountFiles(values, values.SourceRoot);
    try {
        values.Table.Allocate(static_cast<std::size_t>(values.FileCount) + 1);
    } catch (const std::bad_alloc&) {
        values.Table.Discard();
        values.Counted.clear();
        host.Beep();
        host.Warning(msg::kTooManyCopyFilesAlloc);
        return PlanOutcome::TableTooLarge;
    }
    ClearFileTable(values, values.FileCount + 1);
    values.RunStatus = kRunning;

    PlanOutcome outcome;
    std::string refusal;
    {
        std::unique_ptr<ProgressDialog> dialog = host.CreateProgressDialog();
        SetUpPlanningDialog(*dialog);
        MainWindowDisabled disabled(host);
        dialog->Show();
        PlanningRun run{values, host, *dialog};
        outcome = Plan(run, request, capacity, refusal);
        dialog.reset(); // the dialog goes before the window is enabled again
    }
    ReportOutcome(host, outcome, values, refusal);
    return outcome;
}

} // namespace arbolink
