// SPDX-License-Identifier: GPL-3.0-or-later
// arbolink-cli rebuild: a lost disk of a set with recovery disks, written again.
#include "Cli.h"
#include "CliMessages.h"
#include "ExitStatus.h"
#include "GivenFolders.h"
#include "core/SetFormat.h"
#include "core/recovery/RecoveryMessages.h"
#include "fs/Folders.h"
#if ARBOLINK_RECOVERY
#include "core/recovery/Rebuild.h"
#endif

#include <cstdint>
#include <optional>

namespace arbolink::cli {

int RunRebuildCommand(const Arguments& parsed, const Streams& io) {
    const std::vector<std::string> from = parsed.All("--from");
    const std::optional<std::string> disk = parsed.Value("--disk");
    if (from.empty() || parsed.operands.size() != 1) {
        return ReportUsage(io.err, "rebuild", {msg::kWantFromAndOut, ""});
    }
    if (!disk) {
        return ReportUsage(io.err, "rebuild", {msg::kBadDiskNumber, ""});
    }
    const std::optional<std::int64_t> number = WholeNumber(*disk);
    if (!number || *number < 1 || *number > INT32_MAX) {
        return ReportUsage(io.err, "rebuild", {msg::kBadDiskNumber, *disk});
    }
#if ARBOLINK_RECOVERY
    RebuildRequest request;
    for (const std::string& folder : from) {
        request.folders.push_back(SetFolderOf(AbsolutePath(folder)));
    }
    request.disk = static_cast<int>(*number);
    // The new disk is laid out like a staging divide's: the set in its "@dummy@" folder.
    request.out = AddBackslash(AddBackslash(AbsolutePath(parsed.operands[0])) + kDummyFolderName);
    std::string message;
    const bool rebuilt = RebuildDisk(request, message);
    std::fprintf(rebuilt ? io.out : io.err, "%s\n", message.c_str());
    return rebuilt ? kExitSuccess : kExitFailure;
#else
    std::fprintf(io.err, "%s\n", arbolink::msg::kRecoveryNotBuilt.c_str());
    return kExitFailure;
#endif
}

} // namespace arbolink::cli
