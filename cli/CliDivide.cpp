// SPDX-License-Identifier: GPL-3.0-or-later
// arbolink-cli divide: the split command onto a drive, or into staging folders.
#include "ByteSize.h"
#include "Cli.h"
#include "CliMessages.h"
#include "ExitStatus.h"
#include "TerminalHost.h"
#include "core/FolderFieldCheck.h"
#include "core/Formatted.h"
#include "core/Session.h"
#include "core/divide/DiscDivide.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/SplitCommand.h"
#include "core/recovery/ErasureCode.h"
#include "core/recovery/RecoveryMessages.h"
#include "core/wFile/BurnMessages.h"
#include "core/wFile/StagingFolders.h"
#include "fs/Burner.h"
#include "fs/Drives.h"
#include "fs/Folders.h"

#include <climits>
#include <memory>
#include <optional>

namespace arbolink::cli {

namespace {

constexpr std::int32_t kDefaultStagingClusterSize = 2048; // a sector of CDs, DVDs and BDs
// The smallest sector of real media. Planning does not count the identity file; a cluster
// this large holds it within the index reservation, which planning counts twice.
constexpr std::int64_t kSmallestClusterSize = 512;

struct DivideRequest {
    std::string source;
    std::string destination; // the drive's folder, or the staging folder
    bool staging = false;
    std::string burn; // the optical drive the disks are burnt with; empty: none
    std::int32_t percent = 95;
    std::int64_t capacityBytes = 0;
    std::int32_t clusterSize = kDefaultStagingClusterSize;
    bool copyProgram = false;
    bool verify = true; // read every written disk back
    bool eject = true;  // eject every disk written and read back
    Packing packing = Packing::InOrder;
    int recoveryDisks = 0;
    TerminalOptions answers;
};

// Burning stages the disks in folders of its own (or in --disk-folders, then kept) and takes
// the discs' size from the blank disc unless --capacity names it.
std::optional<UsageError> CheckBurnOperands(const Arguments& parsed, DivideRequest& request) {
    request.burn = *parsed.Value("--burn");
    if (parsed.operands.size() != 1) {
        return UsageError{msg::kWantSourceOnlyBurn, ""};
    }
    for (const char* option : {"--percent", "--cluster-size"}) {
        if (parsed.Has(option)) {
            return UsageError{msg::kNotWithBurn, option};
        }
    }
    if (IsImageDrive(request.burn) && !parsed.Has("--capacity")) {
        return UsageError{msg::kImageWantsCapacity, ""};
    }
    request.staging = parsed.Has("--disk-folders");
    if (request.staging) {
        request.destination = AbsolutePath(*parsed.Value("--disk-folders"));
    }
    request.source = AbsolutePath(parsed.operands[0]);
    return std::nullopt;
}

std::optional<UsageError> CheckOperands(const Arguments& parsed, DivideRequest& request) {
    if (parsed.Has("--burn")) {
        return CheckBurnOperands(parsed, request);
    }
    request.staging = parsed.Has("--disk-folders");
    if (request.staging) {
        if (parsed.operands.size() != 1) {
            return UsageError{msg::kWantSourceOnly, ""};
        }
        if (!parsed.Has("--capacity")) {
            return UsageError{msg::kWantCapacity, ""};
        }
        if (parsed.Has("--percent")) {
            return UsageError{msg::kNotWithStaging, "--percent"};
        }
        request.destination = AbsolutePath(*parsed.Value("--disk-folders"));
    } else {
        if (parsed.operands.size() != 2) {
            return UsageError{msg::kWantSourceAndDestination, ""};
        }
        for (const char* option : {"--capacity", "--cluster-size"}) {
            if (parsed.Has(option)) {
                return UsageError{msg::kStagingOnly, option};
            }
        }
        request.destination = AbsolutePath(parsed.operands[1]);
    }
    request.source = AbsolutePath(parsed.operands[0]);
    return std::nullopt;
}

std::optional<UsageError> CheckSizes(const Arguments& parsed, DivideRequest& request) {
    if (auto percent = parsed.Value("--percent")) {
        std::optional<std::int64_t> value = WholeNumber(*percent);
        if (!value || *value < 0 || *value > 100) {
            return UsageError{msg::kBadPercent, *percent};
        }
        request.percent = static_cast<std::int32_t>(*value);
    }
    if (auto disks = parsed.Value("--recovery-disks")) {
        std::optional<std::int64_t> value = WholeNumber(*disks);
        if (!value || *value < 0 || *value > kMaxRecoveryDisks) {
            return UsageError{msg::kBadRecoveryDisks, *disks};
        }
        request.recoveryDisks = static_cast<int>(*value);
    }
    if (auto cluster = parsed.Value("--cluster-size")) {
        std::optional<std::int64_t> value = WholeNumber(*cluster);
        if (!value || *value < kSmallestClusterSize || *value > INT32_MAX) {
            return UsageError{msg::kBadClusterSize, *cluster};
        }
        request.clusterSize = static_cast<std::int32_t>(*value);
    }
    if (auto capacity = parsed.Value("--capacity")) {
        std::optional<std::int64_t> bytes = ParseByteSize(*capacity);
        if (!bytes) {
            return UsageError{msg::kBadCapacity, *capacity};
        }
        request.capacityBytes = *bytes;
        if (*bytes / request.clusterSize < 1) {
            return UsageError{msg::kCapacityBelowCluster, ""};
        }
        if (*bytes / request.clusterSize > INT32_MAX) {
            return UsageError{msg::kCapacityTooLarge, ""};
        }
    }
    return std::nullopt;
}

// The split command onto a drive, swapping its disks: the GUI's Divide with these fields.
int DivideOntoDrive(const DivideRequest& request, const Streams& io) {
    Session session;
    session.FreeSpacePercent = request.percent;
    session.VerifyAfterWrite = request.verify;
    session.EjectWritten = request.eject;
    std::unique_ptr<MediaWatcher> media = OpenMediaWatcher();
    session.Media = media.get();
    session.DiskPacking = request.packing;
    session.RecoveryDisks = request.recoveryDisks;
    TerminalOptions answers = request.answers;
    answers.drive = request.destination;
    TerminalHost host(io.in, io.err, answers);
    host.SetFields({request.source, request.destination, "", request.copyProgram});
    BitBtn2Click(session, host);
    return host.ExitCode();
}

// The split command's checks of the source folder and of the staging folder (none for a burn
// staged in the cache): true when the divide goes on. The staging folder is treated as a
// removable disk: when it holds something, the user may have it emptied.
bool CheckDivideFolders(const DivideRequest& request, const Streams& io, Session& session,
                        TerminalHost& host, VolumeWatch& watch) {
    session.VerifyAfterWrite = request.verify;
    session.EjectWritten = request.eject;
    session.DiskPacking = request.packing;
    session.RecoveryDisks = request.recoveryDisks;
    host.SetFields({request.source, request.destination, "", request.copyProgram});
    const bool staged = !request.destination.empty() || request.burn.empty();
    if (request.source.empty() || (staged && request.destination.empty())) {
        host.Message(request.source.empty() ? arbolink::msg::kSetSource
                                            : arbolink::msg::kSetDestination);
        return false;
    }
    if (CheckFolderField(host, request.source, Field::Source, arbolink::msg::kNoSourceDisk,
                         arbolink::msg::kCreateSource) != FolderCheck::Ready) {
        return false;
    }
    watch.Remember(request.source);
    if (!staged) {
        return true;
    }
    if (RefuseDestinationInSource(host, request.destination, request.source) ||
        CheckFolderField(host, request.destination, Field::Destination,
                         arbolink::msg::kNoDestinationDisk,
                         arbolink::msg::kCreateDestination) == FolderCheck::Ended) {
        return false;
    }
    if (!FolderExists(request.destination)) {
        std::fputs(Formatted(msg::kStagingFolderMissing, request.destination.c_str()).c_str(),
                   io.err);
        return false;
    }
    watch.Remember(request.destination);
    return SettleSplitDestination(session, host, "Rem", AddBackslash(request.destination),
                                  request.source);
}

int DivideIntoStagingFolders(const DivideRequest& request, const Streams& io) {
    Session session;
    TerminalHost host(io.in, io.err, request.answers);
    VolumeWatch watch;
    if (CheckDivideFolders(request, io, session, host, watch)) {
        StagingFolders disks(request.destination);
        // Whole clusters only: a disk must never be planned beyond the size it was given.
        RunDivide(session, host, {request.source, request.destination, "", request.copyProgram},
                  request.clusterSize, request.capacityBytes / request.clusterSize, true, &disks);
    }
    return host.ExitCode();
}

// The divide onto optical discs: the disks are staged one by one and each burnt as soon as it
// is written, the discs planned with the ISO 9660 image's own room counted.
int DivideOntoDiscs(const DivideRequest& request, const Streams& io) {
    if (!BurningBuilt()) {
        std::fprintf(io.err, "%s\n", arbolink::msg::kBurnNotBuilt.c_str());
        return kExitFailure;
    }
    Session session;
    TerminalHost host(io.in, io.err, request.answers);
    VolumeWatch watch;
    if (CheckDivideFolders(request, io, session, host, watch)) {
        std::unique_ptr<Burner> burner = OpenBurner();
        arbolink::DivideOntoDiscs(
            session, host, {request.source, request.destination, "", request.copyProgram}, *burner,
            request.burn, request.capacityBytes / kDiscBlockBytes, request.destination);
    }
    return host.ExitCode();
}

} // namespace

int RunDivideCommand(const Arguments& parsed, const Streams& io) {
    DivideRequest request;
    std::optional<UsageError> error = CheckOperands(parsed, request);
    if (!error) {
        error = CheckSizes(parsed, request);
    }
    if (!error) {
        error = TakePacking(parsed, request.packing);
    }
    if (error) {
        return ReportUsage(io.err, "divide", *error);
    }
#if !ARBOLINK_RECOVERY
    if (request.recoveryDisks > 0) {
        std::fprintf(io.err, "%s\n", arbolink::msg::kRecoveryNotBuilt.c_str());
        return kExitFailure;
    }
#endif
    request.copyProgram = parsed.Has("--program-copy");
    request.verify = !parsed.Has("--no-verify");
    request.eject = !parsed.Has("--no-eject");
    request.answers.assumeYes = parsed.Has("--yes");
    request.answers.emptyDestination = parsed.Has("--empty-destination");
    if (!request.burn.empty()) {
        return DivideOntoDiscs(request, io);
    }
    return request.staging ? DivideIntoStagingFolders(request, io) : DivideOntoDrive(request, io);
}

} // namespace arbolink::cli
