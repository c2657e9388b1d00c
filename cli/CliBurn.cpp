// SPDX-License-Identifier: GPL-3.0-or-later
// arbolink-cli burn: staged disk folders burnt onto optical discs, one disc a folder.
#include "ByteSize.h"
#include "Cli.h"
#include "CliMessages.h"
#include "ExitStatus.h"
#include "TerminalHost.h"
#include "core/Formatted.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/wFile/BurnMessages.h"
#include "core/wFile/DiscBurning.h"
#include "fs/Burner.h"
#include "fs/Folders.h"

#include <memory>

namespace arbolink::cli {

namespace {

// Whether the folder holds the whole content of one disk: a set's disk in "@dummy@".
bool IsDiskFolder(const std::string& folder) {
    const std::string set = AddBackslash(AddBackslash(folder) + kDummyFolderName);
    return FileExists(set + kIdentityFileName) || FileExists(set + kRecoveryHeaderName);
}

} // namespace

int RunBurnCommand(const Arguments& parsed, const Streams& io) {
    const std::vector<std::string> from = parsed.All("--from");
    const std::optional<std::string> drive = parsed.Value("--burn");
    if (from.empty() || !drive || !parsed.operands.empty()) {
        return ReportUsage(io.err, "burn", {msg::kWantFromAndBurn, ""});
    }
    std::int64_t limitBlocks = 0;
    if (auto capacity = parsed.Value("--capacity")) {
        const std::optional<std::int64_t> bytes = ParseByteSize(*capacity);
        if (!bytes) {
            return ReportUsage(io.err, "burn", {msg::kBadCapacity, *capacity});
        }
        limitBlocks = *bytes / kDiscBlockBytes;
        if (limitBlocks < 1) {
            return ReportUsage(io.err, "burn", {msg::kCapacityBelowBlock, ""});
        }
    }
    std::vector<std::string> folders;
    for (const std::string& folder : from) {
        folders.push_back(AbsolutePath(folder));
        if (!IsDiskFolder(folders.back())) {
            std::fputs(Formatted(msg::kNotDiskFolder, folders.back().c_str()).c_str(), io.err);
            return kExitFailure;
        }
    }
    if (!BurningBuilt()) {
        std::fprintf(io.err, "%s\n", arbolink::msg::kBurnNotBuilt.c_str());
        return kExitFailure;
    }
    TerminalHost host(io.in, io.err, {});
    std::unique_ptr<Burner> burner = OpenBurner();
    DiscBurning burning(host, *burner, *drive, limitBlocks, !parsed.Has("--no-eject"));
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const SupplierEnd end = burning.BurnDisc(static_cast<std::int32_t>(i + 1), folders[i]);
        if (end == SupplierEnd::Cancelled) {
            host.Warning(arbolink::msg::kCancelled);
        }
        if (end != SupplierEnd::GoOn) {
            return host.ExitCode();
        }
    }
    host.Beep();
    host.Message(arbolink::msg::kBurnFinished);
    return host.ExitCode();
}

} // namespace arbolink::cli
