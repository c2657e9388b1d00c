// SPDX-License-Identifier: GPL-3.0-or-later
// arbolink-cli restore: the restore command from a drive, or from disks kept as folders.
#include "Cli.h"
#include "CliMessages.h"
#include "ExitStatus.h"
#include "GivenFolders.h"
#include "TerminalHost.h"
#include "core/Formatted.h"
#include "core/Session.h"
#include "core/SetFormat.h"
#include "core/rFile/RestoreCommand.h"
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/RestoreRun.h"
#include "fs/Drives.h"
#include "fs/Folders.h"

#include <memory>
#include <optional>

namespace arbolink::cli {

namespace {

struct RestoreRequest {
    std::vector<std::string> from; // disks as folders; empty: the disks are read from a drive
    std::string disks;             // the drive's folder
    std::string destination;
    TerminalOptions answers;
};

std::optional<UsageError> CheckOperands(const Arguments& parsed, RestoreRequest& request) {
    for (const std::string& folder : parsed.All("--from")) {
        request.from.push_back(AbsolutePath(folder));
    }
    if (request.from.empty()) {
        if (parsed.operands.size() != 2) {
            return UsageError{msg::kWantDisksAndDestination, ""};
        }
        request.disks = AbsolutePath(parsed.operands[0]);
        request.destination = AbsolutePath(parsed.operands[1]);
    } else {
        if (parsed.operands.size() != 1) {
            return UsageError{msg::kWantDestinationOnly, ""};
        }
        request.destination = AbsolutePath(parsed.operands[0]);
    }
    return std::nullopt;
}

// A destination that holds a disk's set folder, or lies in it, would have the set emptied or
// its stored files written over before they are read.
bool RefuseOverlap(const std::string& setFolder, const std::string& destination, std::FILE* err) {
    if (destination.empty() || !FoldersOverlap(setFolder, destination)) {
        return false;
    }
    std::fputs(Formatted(msg::kDisksInDestination, setFolder.c_str()).c_str(), err);
    return true;
}

int RestoreFromDrive(const RestoreRequest& request, const Streams& io) {
    Session session;
    std::unique_ptr<MediaWatcher> media = OpenMediaWatcher();
    session.Media = media.get();
    TerminalOptions answers = request.answers;
    answers.drive = request.disks;
    TerminalHost host(io.in, io.err, answers);
    host.SetFields({"", request.disks, request.destination, false});
    BitBtn3Click(session, host);
    return host.ExitCode();
}

// The restore command's checks of the destination, then the restore run over the folders;
// with a recovery disk among them, the files left behind are made again.
int RestoreFromFolders(const RestoreRequest& request, const Streams& io) {
    for (const std::string& folder : request.from) {
        if (!FolderExists(folder)) {
            std::fputs(Formatted(msg::kFromFolderMissing, folder.c_str()).c_str(), io.err);
            return kExitFailure;
        }
        if (RefuseOverlap(SetFolderOf(folder), request.destination, io.err)) {
            return kExitFailure;
        }
    }
    Session session;
    TerminalHost host(io.in, io.err, request.answers);
    host.SetFields({"", "", request.destination, false});
    const std::string& target = request.destination;
    const std::string kind = GetDriveKind(target);
    if (!CheckRestoreFolder(host, target, kind) ||
        !SettleRestoreDestination(session, host, target, kind)) {
        return host.ExitCode();
    }
    VolumeWatch watch;
    watch.Remember(target);
    for (const std::string& folder : request.from) {
        watch.Remember(folder);
    }
    GivenFolders disks(request.from);
    RestoreDisks(session, host, &disks);
    return host.ExitCode();
}

} // namespace

int RunRestoreCommand(const Arguments& parsed, const Streams& io) {
    RestoreRequest request;
    std::optional<UsageError> error = CheckOperands(parsed, request);
    if (error) {
        return ReportUsage(io.err, "restore", *error);
    }
    request.answers.assumeYes = parsed.Has("--yes");
    request.answers.emptyDestination = parsed.Has("--empty-destination");
    return request.from.empty() ? RestoreFromDrive(request, io) : RestoreFromFolders(request, io);
}

} // namespace arbolink::cli
