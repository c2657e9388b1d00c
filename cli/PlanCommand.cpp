#include "PlanCommand.h"

#include "CliMessages.h"
#include "core/PlanningValues.h"
#include "core/divide/Planning.h"
#include "fs/Folders.h"

#include <charconv>
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
};

std::optional<std::int64_t> Number(const std::string& text) {
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<PlanArguments> Parse(const std::vector<std::string>& args) {
    PlanArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto numberAfter = [&](std::int64_t& target) {
            if (i + 1 >= args.size()) {
                return false;
            }
            auto value = Number(args[++i]);
            if (!value) {
                return false;
            }
            target = *value;
            return true;
        };
        if (arg == "--cluster-size") {
            if (!numberAfter(parsed.clusterSize)) {
                return std::nullopt;
            }
        } else if (arg == "--free-bytes") {
            if (!numberAfter(parsed.freeBytes)) {
                return std::nullopt;
            }
        } else if (arg == "--percent") {
            if (!numberAfter(parsed.percent)) {
                return std::nullopt;
            }
        } else if (arg == "--drive-root") {
            parsed.driveRoot = true;
        } else if (arg == "--program") {
            if (i + 1 >= args.size()) {
                return std::nullopt;
            }
            parsed.program = args[++i];
        } else if (arg.starts_with("--") || !parsed.source.empty()) {
            return std::nullopt;
        } else {
            parsed.source = arg;
        }
    }
    if (parsed.source.empty() || parsed.clusterSize <= 0 || parsed.clusterSize > INT32_MAX ||
        parsed.freeBytes < 0 || parsed.percent < 0 || parsed.percent > 100) {
        return std::nullopt;
    }
    return parsed;
}

void PrintPlan(const PlanningValues& values, bool withProgram, std::FILE* out) {
    const FileTable& table = values.Table;
    const std::int64_t rows = values.FileCount + (withProgram ? 1 : 0);
    for (std::int64_t row = 0; row < rows; ++row) {
        auto r = static_cast<std::size_t>(row);
        std::fprintf(out, "%s\t%s\t%s\t%s\t%s\n", table.Cell(Folder, r).c_str(),
                     table.Cell(Name, r).c_str(), table.Cell(StoredName, r).c_str(),
                     table.Cell(Size, r).c_str(), table.Cell(Disk, r).c_str());
    }
    std::fprintf(out, "disks\t%d\n", values.DiskCount);
    std::fputs("usage", out);
    for (const std::string& usage : values.DiskUsage) {
        std::fprintf(out, "\t%s", usage.c_str());
    }
    std::fprintf(out, "\nindex-reserve\t%lld\n", static_cast<long long>(values.IndexReserve));
}

} // namespace

int RunPlanCommand(const std::vector<std::string>& args, Host& host, std::FILE* out,
                   std::FILE* err) {
    std::optional<PlanArguments> parsed = Parse(args);
    if (!parsed) {
        std::fputs(msg::kPlanUsage, err);
        return 2;
    }
    if (!FolderExists(parsed->source)) {
        std::fprintf(err, msg::kSourceMissing, parsed->source.c_str());
        return 1;
    }
    PlanningValues values;
    values.ProgramFile = parsed->program;
    PlanRequest request;
    request.source = parsed->source;
    request.destinationIsDriveRoot = parsed->driveRoot;
    request.copyProgram = !parsed->program.empty();
    request.clusterSize = static_cast<std::int32_t>(parsed->clusterSize);
    request.capacity = CapacityInClusters(
        parsed->freeBytes, static_cast<std::int32_t>(parsed->percent), request.clusterSize);
    if (RunPlanning(values, host, request) != PlanOutcome::Complete) {
        return 1;
    }
    const bool programRowFilled =
        request.copyProgram &&
        !values.Table.Cell(Name, static_cast<std::size_t>(values.FileCount)).empty();
    PrintPlan(values, programRowFilled, out);
    return 0;
}

} // namespace arbolink::cli
