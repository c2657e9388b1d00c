// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanCommand.h"

#include "Cli.h"
#include "CliMessages.h"
#include "ExitStatus.h"
#include "OutputText.h"
#include "core/Formatted.h"
#include "core/PlanningValues.h"
#include "core/divide/Planning.h"
#include "fs/Folders.h"

#include <climits>
#include <optional>

namespace arbolink::cli {

namespace {

struct PlanArguments {
    std::string source;
    std::int64_t clusterSize = -1;
    std::int64_t freeBytes = -1;
    std::int64_t percent = 95;
    bool driveRoot = false;
    std::string program;
    bool json = false;
    Packing packing = Packing::InOrder;
};

// The value of a whole-number option within [low, high], into target.
std::optional<UsageError> TakeNumber(const Arguments& parsed, const std::string& name,
                                     std::int64_t low, std::int64_t high, const Phrase& bad,
                                     std::int64_t& target) {
    const std::optional<std::string> text = parsed.Value(name);
    if (!text) {
        return std::nullopt;
    }
    const std::optional<std::int64_t> value = WholeNumber(*text);
    if (!value || *value < low || *value > high) {
        return UsageError{bad, *text};
    }
    target = *value;
    return std::nullopt;
}

std::optional<UsageError> Check(const Arguments& parsed, PlanArguments& plan) {
    if (parsed.operands.size() != 1) {
        return UsageError{msg::kWantSource, ""};
    }
    for (const char* required : {"--cluster-size", "--free-bytes"}) {
        if (!parsed.Has(required)) {
            return UsageError{msg::kWantOption, required};
        }
    }
    plan.source = parsed.operands.front();
    plan.driveRoot = parsed.Has("--drive-root");
    plan.program = parsed.Value("--program").value_or("");
    plan.json = parsed.Has("--json");
    std::optional<UsageError> error = TakeNumber(parsed, "--cluster-size", 1, INT32_MAX,
                                                 msg::kBadPlanClusterSize, plan.clusterSize);
    if (!error) {
        error =
            TakeNumber(parsed, "--free-bytes", 0, INT64_MAX, msg::kBadFreeBytes, plan.freeBytes);
    }
    if (!error) {
        error = TakeNumber(parsed, "--percent", 0, 100, msg::kBadPercent, plan.percent);
    }
    if (!error) {
        error = TakePacking(parsed, plan.packing);
    }
    return error;
}

void PrintRows(const PlanningValues& values, std::int64_t rows, std::FILE* out) {
    const FileTable& table = values.Table;
    for (std::int64_t row = 0; row < rows; ++row) {
        auto r = static_cast<std::size_t>(row);
        std::fprintf(out, "%s\t%s\t%s\t%lld\t%lld\n", TsvField(table.Cell(Folder, r)).c_str(),
                     TsvField(table.Cell(Name, r)).c_str(),
                     TsvField(table.Cell(StoredName, r)).c_str(),
                     static_cast<long long>(table.Number(Size, r)),
                     static_cast<long long>(table.Number(Disk, r)));
    }
    std::fprintf(out, "disks\t%d\n", values.DiskCount);
    std::fprintf(out, "lower-bound\t%lld\n", static_cast<long long>(values.DiskLowerBound));
    std::fputs("usage", out);
    for (const std::string& usage : values.DiskUsage) {
        std::fprintf(out, "\t%s", usage.c_str());
    }
    std::fprintf(out, "\nindex-reserve\t%lld\n", static_cast<long long>(values.IndexReserve));
}

void PrintJson(const PlanningValues& values, std::int64_t rows, std::FILE* out) {
    const FileTable& table = values.Table;
    std::fputs("{\n  \"files\": [", out);
    for (std::int64_t row = 0; row < rows; ++row) {
        auto r = static_cast<std::size_t>(row);
        std::fprintf(out,
                     "%s\n    {\"folder\": %s, \"name\": %s, \"stored-name\": %s, \"size\": %lld, "
                     "\"disk\": %lld}",
                     row ? "," : "", JsonString(table.Cell(Folder, r)).c_str(),
                     JsonString(table.Cell(Name, r)).c_str(),
                     JsonString(table.Cell(StoredName, r)).c_str(),
                     static_cast<long long>(table.Number(Size, r)),
                     static_cast<long long>(table.Number(Disk, r)));
    }
    std::fprintf(out, "\n  ],\n  \"disks\": %d,\n  \"lower-bound\": %lld,\n  \"usage\": [",
                 values.DiskCount, static_cast<long long>(values.DiskLowerBound));
    for (std::size_t disk = 0; disk < values.DiskUsage.size(); ++disk) {
        std::fprintf(out, "%s%s", disk ? ", " : "", JsonNumber(values.DiskUsage[disk]).c_str());
    }
    std::fprintf(out, "],\n  \"index-reserve\": %lld\n}\n",
                 static_cast<long long>(values.IndexReserve));
}

} // namespace

int RunPlanCommand(const Arguments& arguments, Host& host, std::FILE* out, std::FILE* err) {
    PlanArguments parsed;
    if (std::optional<UsageError> error = Check(arguments, parsed)) {
        return ReportUsage(err, "plan", *error);
    }
    if (!FolderExists(parsed.source)) {
        std::fputs(Formatted(msg::kSourceMissing, parsed.source.c_str()).c_str(), err);
        return kExitFailure;
    }
    PlanningValues values;
    values.ProgramFile = parsed.program;
    PlanRequest request;
    request.source = parsed.source;
    request.destinationIsDriveRoot = parsed.driveRoot;
    request.copyProgram = !parsed.program.empty();
    request.clusterSize = static_cast<std::int32_t>(parsed.clusterSize);
    request.packing = parsed.packing;
    request.capacity = CapacityInClusters(
        parsed.freeBytes, static_cast<std::int32_t>(parsed.percent), request.clusterSize);
    if (RunPlanning(values, host, request) != PlanOutcome::Complete) {
        return kExitFailure;
    }
    const bool programRowFilled =
        request.copyProgram &&
        !values.Table.Cell(Name, static_cast<std::size_t>(values.FileCount)).empty();
    const std::int64_t rows = values.FileCount + (programRowFilled ? 1 : 0);
    if (parsed.json) {
        PrintJson(values, rows, out);
    } else {
        PrintRows(values, rows, out);
    }
    return kExitSuccess;
}

} // namespace arbolink::cli
