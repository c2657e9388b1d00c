// SPDX-License-Identifier: GPL-3.0-or-later
// arbolink-cli info: what one disk of a set holds, and whether its set files are sound.
#include "Cli.h"
#include "CliMessages.h"
#include "ExitStatus.h"
#include "GivenFolders.h"
#include "OutputText.h"
#include "TerminalHost.h"
#include "core/FileTable.h"
#include "core/Formatted.h"
#include "core/SetFormat.h"
#include "core/rFile/LetterCase.h"
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/RestorePaths.h"
#include "core/rFile/SetReader.h"
#include "core/rFile/StoredNameIndex.h"
#include "fs/Folders.h"

#include <algorithm>
#include <new>
#include <optional>

namespace arbolink::cli {

namespace {

// What the set map tells of the whole set.
struct SetMapSummary {
    std::int32_t disks = 0; // the highest disk number it names
    std::int64_t files = 0;
    std::int64_t bytes = 0;
};

struct DiskReport {
    std::optional<DiskIdentity> identity;
    std::int64_t setFiles = -1;  // rows of the index; -1 when it could not be read
    std::int64_t diskFiles = -1; // stored files of this disk that the index names
    // With --restore-to: the names that would meet in that folder; none when not probed.
    std::optional<std::size_t> caseClashes;
    std::optional<SetMapSummary> map; // nothing when the disk carries no readable set map
    bool sound = true;
};

void Unsound(DiskReport& report, std::FILE* err, const Phrase& pattern,
             const std::string& subject) {
    std::fputs(Formatted(pattern, subject).c_str(), err);
    report.sound = false;
}

// A problem told in a text of its own, such as a set file's format error.
void Unsound(DiskReport& report, std::FILE* err, const std::string& problem) {
    std::fprintf(err, "%s\n", problem.c_str());
    report.sound = false;
}

void ReadIdentityOf(const std::string& folder, DiskReport& report, std::FILE* err) {
    try {
        report.identity = TryReadIdentity(folder);
    } catch (const SetFormatError& error) {
        Unsound(report, err, error.what());
        return;
    }
    if (!report.identity) {
        Unsound(report, err, msg::kInfoUnreadable, folder + kIdentityFileName);
    }
}

// Every row must be restorable and its stored name its own; the first fault of each kind
// is told.
void CheckRows(const FileTable& table, std::size_t rows, const StoredNameIndex& stored,
               DiskReport& report, std::FILE* err) {
    bool unsafeTold = false;
    bool sameTold = false;
    for (std::size_t row = 0; row < rows; ++row) {
        if (!unsafeTold && !RestorePathOf(table.Cell(Folder, row), table.Cell(Name, row))) {
            std::fputs(Formatted(msg::kInfoUnsafeRow, row + 1).c_str(), err);
            report.sound = false;
            unsafeTold = true;
        }
        const std::int64_t first = stored.First(table.Cell(StoredName, row));
        if (!sameTold && first != static_cast<std::int64_t>(row)) {
            std::fputs(
                Formatted(msg::kInfoSameStoredName, row + 1, table.Cell(StoredName, row).c_str())
                    .c_str(),
                err);
            report.sound = false;
            sameTold = true;
        }
    }
}

// Counts the disk's stored files. Anything else in the disk folder (a file the index does
// not name, a half-written one, a link or FIFO under a stored name) makes the disk unsound:
// its files no longer match its index.
void CheckStoredFiles(const std::string& folder, const StoredNameIndex& stored,
                      SetEncoding encoding, DiskReport& report, std::FILE* err) {
    std::vector<FolderEntry> entries;
    if (!ListFolder(folder, false, entries)) {
        Unsound(report, err, msg::kInfoUnreadable, folder);
    }
    report.diskFiles = 0;
    for (const FolderEntry& entry : entries) {
        if (IsSetFileName(entry.name) ||
            (entry.kind == EntryKind::Folder && entry.name == kProgramFolderName)) {
            continue;
        }
        if (stored.FirstOnDisk(entry.name, encoding) == StoredNameIndex::kNoRow) {
            Unsound(report, err, msg::kInfoStray, folder + entry.name);
        } else if (entry.kind != EntryKind::File) {
            Unsound(report, err, msg::kInfoStoredNotPlain, folder + entry.name);
        } else {
            ++report.diskFiles;
        }
    }
}

// Warns of the names that only letter case tells apart where the restore folder would merge
// them; the set stays sound, as the restore gives them free names.
void CheckLetterCase(const FileTable& table, std::size_t rows, const std::string& restoreTo,
                     DiskReport& report, std::FILE* err) {
    const std::optional<std::vector<CaseClash>> clashes = CaseClashesIn(table, rows, restoreTo);
    if (!clashes) {
        std::fputs(Formatted(msg::kInfoNoProbe, restoreTo.c_str()).c_str(), err);
        return;
    }
    report.caseClashes = clashes->size();
    if (!clashes->empty()) {
        std::fprintf(err, "%s\n", CaseClashWarning(*clashes).c_str());
    }
}

void ReadIndexOf(const std::string& folder, const std::string& restoreTo, DiskReport& report,
                 Host& host, std::FILE* err) {
    FileTable table;
    std::vector<std::string> folders;
    SetEncoding encoding = SetEncoding::Utf8;
    std::int64_t rows = 0;
    try {
        rows = ReadIndexFile(folder, table, folders, host, &encoding);
        if (rows < 0) {
            report.sound = false;
            return;
        }
    } catch (const SetFormatError& error) {
        Unsound(report, err, error.what());
        return;
    } catch (const std::bad_alloc&) {
        Unsound(report, err, msg::kInfoUnreadable, folder + kIndexFileName);
        return;
    }
    report.setFiles = rows;
    if (rows == 0) {
        std::fprintf(err, "%s\n", arbolink::msg::kSetWithoutFiles.c_str());
        report.sound = false;
    }
    const StoredNameIndex stored(table, static_cast<std::size_t>(rows));
    CheckRows(table, static_cast<std::size_t>(rows), stored, report, err);
    CheckStoredFiles(folder, stored, encoding, report, err);
    if (!restoreTo.empty()) {
        CheckLetterCase(table, static_cast<std::size_t>(rows), restoreTo, report, err);
    }
}

// A disk without a map is sound (a set of an older version); one whose map cannot be read is
// not: its checksums are lost.
void ReadMapOf(const std::string& folder, DiskReport& report, std::FILE* err) {
    std::optional<std::vector<MapEntry>> map;
    try {
        map = TryReadSetMap(folder);
    } catch (const SetFormatError& error) {
        Unsound(report, err, error.what());
        return;
    }
    if (!map) {
        if (EntryExists(folder + kSetMapName)) {
            Unsound(report, err, msg::kInfoUnreadable, folder + kSetMapName);
        }
        return;
    }
    SetMapSummary summary;
    for (const MapEntry& entry : *map) {
        summary.disks = std::max(summary.disks, entry.disk);
        summary.bytes += entry.size;
    }
    summary.files = static_cast<std::int64_t>(map->size());
    report.map = summary;
}

void PrintReport(const DiskReport& report, std::FILE* out) {
    if (report.identity) {
        std::fprintf(out, "set\t%s\n", TsvField(report.identity->setId).c_str());
        std::fprintf(out, "disk\t%d/%d\n", report.identity->disk, report.identity->diskCount);
    }
    if (report.setFiles >= 0) {
        std::fprintf(out, "files-on-disk\t%lld\n", static_cast<long long>(report.diskFiles));
        std::fprintf(out, "files-in-set\t%lld\n", static_cast<long long>(report.setFiles));
    }
    if (report.caseClashes) {
        std::fprintf(out, "case-clashes\t%zu\n", *report.caseClashes);
    }
    std::fprintf(out, "checksums\t%s\n", report.map ? "yes" : "no");
    if (report.map) {
        std::fprintf(out, "map-disks\t%d\nmap-files\t%lld\nmap-size\t%lld\n", report.map->disks,
                     static_cast<long long>(report.map->files),
                     static_cast<long long>(report.map->bytes));
    }
    std::fprintf(out, "sound\t%s\n", report.sound ? "yes" : "no");
}

// The same report as one JSON object; what could not be read is left out, as in the rows.
void PrintJsonReport(const DiskReport& report, std::FILE* out) {
    std::fputs("{", out);
    if (report.identity) {
        std::fprintf(out, "\"set\": %s, \"disk\": %d, \"disks\": %d, ",
                     JsonString(report.identity->setId).c_str(), report.identity->disk,
                     report.identity->diskCount);
    }
    if (report.setFiles >= 0) {
        std::fprintf(out, "\"files-on-disk\": %lld, \"files-in-set\": %lld, ",
                     static_cast<long long>(report.diskFiles),
                     static_cast<long long>(report.setFiles));
    }
    if (report.caseClashes) {
        std::fprintf(out, "\"case-clashes\": %zu, ", *report.caseClashes);
    }
    std::fprintf(out, "\"checksums\": %s, ", report.map ? "true" : "false");
    if (report.map) {
        std::fprintf(out, "\"map-disks\": %d, \"map-files\": %lld, \"map-size\": %lld, ",
                     report.map->disks, static_cast<long long>(report.map->files),
                     static_cast<long long>(report.map->bytes));
    }
    std::fprintf(out, "\"sound\": %s}\n", report.sound ? "true" : "false");
}

} // namespace

int RunInfoCommand(const Arguments& parsed, const Streams& io) {
    if (parsed.operands.size() != 1) {
        return ReportUsage(io.err, "info", {msg::kWantDisk, ""});
    }
    const std::string folder = SetFolderOf(parsed.operands[0]);
    if (!EntryExists(folder + kIdentityFileName) && !EntryExists(folder + kIndexFileName)) {
        std::fputs(Formatted(msg::kNoSetHere, parsed.operands[0].c_str()).c_str(), io.err);
        return kExitFailure;
    }
    // Reading the index can only tell, never ask: the host is for the readers' messages.
    TerminalHost host(io.in, io.err);
    DiskReport report;
    ReadIdentityOf(folder, report, io.err);
    const std::optional<std::string> given = parsed.Value("--restore-to");
    const std::string restoreTo = given ? AbsolutePath(*given) : std::string();
    ReadIndexOf(folder, restoreTo, report, host, io.err);
    ReadMapOf(folder, report, io.err);
    if (parsed.Has("--json")) {
        PrintJsonReport(report, io.out);
    } else {
        PrintReport(report, io.out);
    }
    return report.sound ? kExitSuccess : kExitFailure;
}

} // namespace arbolink::cli
