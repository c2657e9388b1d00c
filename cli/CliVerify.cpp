// SPDX-License-Identifier: GPL-3.0-or-later
// arbolink-cli verify: the check of a set's disks, from a drive or from disks kept as folders,
// told on standard output file by file.
#include "Cli.h"
#include "CliMessages.h"
#include "ExitStatus.h"
#include "GivenFolders.h"
#include "OutputText.h"
#include "Terminal.h"
#include "TerminalHost.h"
#include "core/Formatted.h"
#include "core/Session.h"
#include "core/rFile/SetCheck.h"
#include "fs/Drives.h"
#include "fs/Folders.h"
#if ARBOLINK_RECOVERY
#include "core/recovery/RecoveryCheck.h"
#include "core/recovery/RecoveryMessages.h"
#endif

#include <string>
#include <vector>

namespace arbolink::cli {

namespace {

const char* StateWord(FileState state) {
    switch (state) {
    case FileState::Good:
        return "good";
    case FileState::Damaged:
        return "damaged";
    case FileState::Missing:
        return "missing";
    case FileState::Unchecked:
        return "unchecked";
    case FileState::Skipped:
        return "skipped";
    }
    return "";
}

const char* ChecksumsWord(DiskChecksums checksums) {
    switch (checksums) {
    case DiskChecksums::Present:
        return "yes";
    case DiskChecksums::None:
        return "no";
    case DiskChecksums::Unreadable:
        return "unreadable";
    }
    return "";
}

struct Counts {
    std::int64_t good = 0;
    std::int64_t damaged = 0;
    std::int64_t missing = 0;
    std::int64_t unchecked = 0; // no digest, not reached, or not placed on a disk
    std::int64_t notGiven = 0;
};

Counts CountsOf(const SetCheckReport& report) {
    Counts counts;
    for (const DiskCheck& disk : report.checked) {
        for (const FileCheck& file : disk.files) {
            ++(file.state == FileState::Good      ? counts.good
               : file.state == FileState::Damaged ? counts.damaged
               : file.state == FileState::Missing ? counts.missing
                                                  : counts.unchecked);
        }
    }
    for (const DiskCheck& disk : report.notGiven) {
        counts.notGiven += static_cast<std::int64_t>(disk.files.size());
    }
    counts.unchecked += static_cast<std::int64_t>(report.unplaced.size());
    return counts;
}

void PrintFileRow(const char* word, const FileCheck& file, std::FILE* out) {
    std::fprintf(out, "%s\t%d\t%s\t%s", word, file.entry.disk, TsvField(file.entry.stored).c_str(),
                 TsvField(file.path).c_str());
    if (!file.reason.empty()) {
        std::fprintf(out, "\t%s", TsvField(file.reason).c_str());
    }
    std::fputc('\n', out);
}

void PrintCount(const char* key, std::int64_t count, std::FILE* out) {
    std::fprintf(out, "%s\t%lld\n", key, static_cast<long long>(count));
}

void PrintReport(const SetCheckReport& report, std::FILE* out) {
    if (report.diskCount > 0) {
        std::fprintf(out, "set\t%s\n", TsvField(report.setId).c_str());
        std::fprintf(out, "disks\t%d\n", report.diskCount);
    }
    for (const DiskCheck& disk : report.checked) {
        std::fprintf(out, "disk\t%d\t%s\tchecksums\t%s\n", disk.disk, TsvField(disk.folder).c_str(),
                     ChecksumsWord(disk.checksums));
        for (const FileCheck& file : disk.files) {
            PrintFileRow(StateWord(file.state), file, out);
        }
    }
    for (const DiskCheck& disk : report.notGiven) {
        std::fprintf(out, "disk-not-given\t%d\n", disk.disk);
        for (const FileCheck& file : disk.files) {
            PrintFileRow("not-given", file, out);
        }
    }
    for (const FileCheck& file : report.unplaced) {
        PrintFileRow("unplaced", file, out);
    }
    const Counts counts = CountsOf(report);
    PrintCount("files-good", counts.good, out);
    PrintCount("files-damaged", counts.damaged, out);
    PrintCount("files-missing", counts.missing, out);
    PrintCount("files-unchecked", counts.unchecked, out);
    PrintCount("files-not-given", counts.notGiven, out);
    std::fprintf(out, "verified\t%s\n", report.Verified() ? "yes" : "no");
}

void PrintJsonFiles(const std::vector<FileCheck>& files, bool withState, std::FILE* out) {
    std::fputs("[", out);
    for (const FileCheck& file : files) {
        std::fprintf(out, "%s{\"stored\": %s, \"path\": %s", &file == &files.front() ? "" : ", ",
                     JsonString(file.entry.stored).c_str(), JsonString(file.path).c_str());
        if (withState) {
            std::fprintf(out, ", \"state\": \"%s\"", StateWord(file.state));
        }
        if (!file.reason.empty()) {
            std::fprintf(out, ", \"reason\": %s", JsonString(file.reason).c_str());
        }
        std::fputs("}", out);
    }
    std::fputs("]", out);
}

// The same as PrintReport, as one JSON object; extra is more of its members, each after a comma.
void PrintJsonReport(const SetCheckReport& report, const std::string& extra, std::FILE* out) {
    std::fputs("{", out);
    if (report.diskCount > 0) {
        std::fprintf(out, "\"set\": %s, \"disks\": %d, ", JsonString(report.setId).c_str(),
                     report.diskCount);
    }
    std::fputs("\"checked\": [", out);
    for (const DiskCheck& disk : report.checked) {
        std::fprintf(out, "%s{\"disk\": %d, \"folder\": %s, \"checksums\": \"%s\", \"files\": ",
                     &disk == &report.checked.front() ? "" : ", ", disk.disk,
                     JsonString(disk.folder).c_str(), ChecksumsWord(disk.checksums));
        PrintJsonFiles(disk.files, true, out);
        std::fputs("}", out);
    }
    std::fputs("], \"not-given\": [", out);
    for (const DiskCheck& disk : report.notGiven) {
        std::fprintf(out,
                     "%s{\"disk\": %d, \"files\": ", &disk == &report.notGiven.front() ? "" : ", ",
                     disk.disk);
        PrintJsonFiles(disk.files, false, out);
        std::fputs("}", out);
    }
    std::fputs("], \"unplaced\": ", out);
    PrintJsonFiles(report.unplaced, false, out);
    const Counts counts = CountsOf(report);
    std::fprintf(out,
                 ", \"files-good\": %lld, \"files-damaged\": %lld, \"files-missing\": %lld, "
                 "\"files-unchecked\": %lld, \"files-not-given\": %lld, \"verified\": %s%s}\n",
                 static_cast<long long>(counts.good), static_cast<long long>(counts.damaged),
                 static_cast<long long>(counts.missing), static_cast<long long>(counts.unchecked),
                 static_cast<long long>(counts.notGiven), report.Verified() ? "true" : "false",
                 extra.c_str());
}

#if ARBOLINK_RECOVERY
std::string NumberList(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers) {
        text += (text.empty() ? "" : ", ") + std::to_string(n);
    }
    return text;
}

int SoundDisks(const RecoveryStanding& standing) {
    return standing.dataCount + standing.parityCount - static_cast<int>(standing.lost.size());
}

// The recovery disks given and what a rebuild can do, as lines after the report.
void PrintRecovery(const RecoveryStanding& standing, std::FILE* out) {
    for (const RecoveryDiskCheck& disk : standing.recoveryDisks) {
        std::fprintf(out, "recovery-disk\t%d\t%s\t%s", disk.disk, TsvField(disk.folder).c_str(),
                     disk.good ? "good" : "damaged");
        if (!disk.reason.empty()) {
            std::fprintf(out, "\t%s", TsvField(disk.reason).c_str());
        }
        std::fputc('\n', out);
    }
    for (int disk : standing.lost) {
        std::fprintf(out, "lost\t%d\n", disk);
    }
    std::fprintf(out, "rebuild-with\t%s\n", NumberList(standing.usedRecovery).c_str());
    std::fprintf(out, "rebuildable\t%s\n", standing.rebuildable ? "yes" : "no");
}

// The same as PrintRecovery, as the member "recovery" of the report's JSON object.
std::string JsonRecovery(const RecoveryStanding& standing) {
    std::string text = ", \"recovery\": {\"recovery-disks\": [";
    for (const RecoveryDiskCheck& disk : standing.recoveryDisks) {
        text += &disk == &standing.recoveryDisks.front() ? "{" : ", {";
        text += "\"disk\": " + std::to_string(disk.disk) +
                ", \"folder\": " + JsonString(disk.folder) + ", \"state\": \"" +
                (disk.good ? "good" : "damaged") + "\"}";
    }
    text += "], \"lost\": [" + NumberList(standing.lost) + "], \"rebuild-with\": [" +
            NumberList(standing.usedRecovery) +
            "], \"rebuildable\": " + (standing.rebuildable ? "true" : "false") + "}";
    return text;
}

// Tells on standard error whether what is lost can be rebuilt, and from which recovery disks.
void TellRecovery(const RecoveryStanding& standing, std::FILE* err) {
    if (standing.lost.empty()) {
        return;
    }
    const std::string lost = NumberList(standing.lost);
    if (standing.rebuildable) {
        std::fputs(Formatted(arbolink::msg::kSetRebuildable, lost.c_str()).c_str(), err);
        std::fputc('\n', err);
        if (!standing.usedRecovery.empty()) {
            std::fputs(
                Formatted(arbolink::msg::kRebuildUses, NumberList(standing.usedRecovery).c_str())
                    .c_str(),
                err);
            std::fputc('\n', err);
        }
        return;
    }
    std::fputs(Formatted(arbolink::msg::kSetNotRebuildable, lost.c_str(), standing.dataCount,
                         SoundDisks(standing))
                   .c_str(),
               err);
    std::fputc('\n', err);
}
#endif

} // namespace

int RunVerifyCommand(const Arguments& parsed, const Streams& io) {
    std::vector<std::string> from;
    for (const std::string& folder : parsed.All("--from")) {
        from.push_back(AbsolutePath(folder));
    }
    if (from.empty() ? parsed.operands.size() != 1 : !parsed.operands.empty()) {
        return ReportUsage(io.err, "verify",
                           {from.empty() ? msg::kWantDisks : msg::kWantNoOperands, ""});
    }
    for (const std::string& folder : from) {
        if (!FolderExists(folder)) {
            std::fputs(Formatted(msg::kFromFolderMissing, folder.c_str()).c_str(), io.err);
            return kExitFailure;
        }
    }
    SetCheckReport report;
    if (from.empty()) {
        const std::string disks = AbsolutePath(parsed.operands[0]);
        TerminalOptions answers;
        answers.drive = disks;
        TerminalHost host(io.in, io.err, answers);
        host.SetFields({"", disks, "", false});
        Session session;
        report = Verify1Click(session, host);
    } else {
        TerminalHost host(io.in, io.err);
        VolumeWatch watch;
        for (const std::string& folder : from) {
            watch.Remember(folder);
        }
        GivenFolders disks(from);
        report = CheckSetDisks(host, &disks);
    }
    const bool json = parsed.Has("--json");
    std::string extra;
#if ARBOLINK_RECOVERY
    // The recovery disks among the folders: what of the set can be rebuilt, told after the
    // set's own findings.
    std::vector<std::string> folders;
    for (const std::string& folder : from) {
        folders.push_back(SetFolderOf(folder));
    }
    const RecoveryStanding standing = CheckRecovery(report, folders);
    const bool recovery = standing.dataCount > 0;
    extra = recovery && json ? JsonRecovery(standing) : std::string();
#endif
    if (json) {
        PrintJsonReport(report, extra, io.out);
    } else {
        PrintReport(report, io.out);
    }
#if ARBOLINK_RECOVERY
    if (recovery) {
        if (!json) {
            PrintRecovery(standing, io.out);
        }
        TellRecovery(standing, io.err);
    }
#endif
    if (Interrupted() || report.ending == CheckEnding::Aborted ||
        report.ending == CheckEnding::Cancelled) {
        return kExitCancelled;
    }
    return report.Verified() ? kExitSuccess : kExitFailure;
}

} // namespace arbolink::cli
