// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/divide/Inventory.h"

#include "core/Progress.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "fs/Encoding.h"
#include "fs/Folders.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace arbolink {

namespace {

bool HasLineBreak(const std::string& name) {
    return std::any_of(name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; });
}

// True when every byte is printable ASCII other than "/" and "\": then the name has no line
// break, is UTF-8 and holds no separator, and only the index-name test is left to make.
// Nearly every name is such a name, and the walks test every name they meet.
bool IsPlainName(const std::string& name) {
    return std::all_of(name.begin(), name.end(), [](char c) {
        const auto code = static_cast<unsigned char>(c);
        return code >= 0x20 && code < 0x80 && c != '/' && c != '\\';
    });
}

// True when the entry's path, below a folder prefix of folderBytes bytes, is longer than the
// file calls take; a folder's path counts with the separator its entries' paths add.
bool PathTooLong(std::size_t folderBytes, const FolderEntry& entry) {
    const std::size_t separator = entry.kind == EntryKind::Folder ? 1 : 0;
    return folderBytes + entry.name.size() + separator > kMaxPathBytes;
}

// Why an entry of a folder prefix of folderBytes bytes is left behind, or nothing when it is
// carried (files) or walked (folders).
std::optional<NotCarriedReason> ReasonToLeave(std::size_t folderBytes, const FolderEntry& entry) {
    switch (entry.kind) {
    case EntryKind::LinkToFolder:
        return NotCarriedReason::LinkToFolder;
    case EntryKind::DanglingLink:
        return NotCarriedReason::DanglingLink;
    case EntryKind::LinkLoop:
        return NotCarriedReason::LinkLoop;
    case EntryKind::Special:
        return NotCarriedReason::SpecialFile;
    case EntryKind::Folder:
    case EntryKind::File:
        break;
    }
    if (PathTooLong(folderBytes, entry)) {
        return NotCarriedReason::PathTooLong;
    }
    if (!IsPlainName(entry.name)) {
        if (HasLineBreak(entry.name)) {
            return NotCarriedReason::LineBreakInName;
        }
        if (!IsValidUtf8(entry.name)) {
            return NotCarriedReason::NotUtf8Name;
        }
        if (entry.kind == EntryKind::Folder && kPathSeparator != kIndexSeparator &&
            entry.name.find(kIndexSeparator) != std::string::npos) {
            return NotCarriedReason::SeparatorInFolderName;
        }
    }
    // The set would be written, and then every restore of it would refuse the row.
    if (!IsIndexName(entry.name)) {
        return NotCarriedReason::NotRestorableName;
    }
    return std::nullopt;
}

// Keeps the folder's listing for the filling walk. A listing cut short by an error is not
// kept: the filling walk lists that folder again and tells what it could not read.
void Remember(PlanningValues& values, const std::string& folder, const FolderStamp& stamp,
              const std::vector<FolderEntry>& entries) {
    CountedFolder& counted = values.Counted[folder];
    counted.stamp = stamp;
    counted.kinds.reserve(entries.size());
    for (const FolderEntry& entry : entries) {
        counted.names += entry.name;
        counted.names += '\0';
        counted.kinds.push_back(entry.kind);
    }
}

// The folder's entries with their sizes from the counting walk's listing, when it has one
// and the folder is unchanged since; the listing is given up either way.
bool ListAgain(PlanningValues& values, const std::string& folder,
               std::vector<FolderEntry>& entries) {
    const auto counted = values.Counted.find(folder);
    if (counted == values.Counted.end()) {
        return false;
    }
    entries.resize(counted->second.kinds.size());
    std::size_t at = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t end = counted->second.names.find('\0', at);
        entries[i].name.assign(counted->second.names, at, end - at);
        entries[i].kind = counted->second.kinds[i];
        at = end + 1;
    }
    const bool same = SizeListedEntries(folder, counted->second.stamp, entries);
    values.Counted.erase(counted);
    return same;
}

void CountBelow(PlanningValues& values, const std::string& folder) {
    std::vector<FolderEntry> entries;
    FolderStamp stamp;
    if (ListFolderStamped(folder, entries, stamp) && stamp.known) {
        Remember(values, folder, stamp, entries);
    }
    for (const FolderEntry& entry : entries) {
        if (ReasonToLeave(folder.size(), entry)) {
            continue;
        }
        if (entry.kind == EntryKind::Folder) {
            CountBelow(values, folder + entry.name + kPathSeparator);
        } else {
            ++values.FileCount;
        }
    }
}

void Leave(PlanningValues& values, const std::string& relative, NotCarriedReason reason) {
    values.Skipped.push_back({relative, reason});
}

void WriteRow(PlanningValues& values, std::int64_t row, const std::string& indexFolder,
              const FolderEntry& entry) {
    auto r = static_cast<std::size_t>(row);
    FileTable& table = values.Table;
    table.SetCell(Folder, r, indexFolder);
    table.SetCell(Name, r, entry.name);
    table.SetCell(StoredName, r, entry.name);
    table.SetNumber(Size, r, entry.size);
}

// One level of the filling walk; relative is the folder below SourceRoot in platform form.
void FillBelow(PlanningRun& run, const std::string& folder, const std::string& relative,
               std::int64_t step, std::int64_t& rowIndex) {
    PlanningValues& values = run.values;
    std::vector<FolderEntry> entries;
    if (!ListAgain(values, folder, entries)) {
        entries.clear();
        if (!ListFolder(folder, true, entries) && !relative.empty()) {
            Leave(values, relative, NotCarriedReason::UnreadableFolder);
        }
    }
    const std::string indexFolder = ToIndexFolder(relative);
    for (const FolderEntry& entry : entries) {
        if (values.RunStatus >= 0) {
            return;
        }
        if (auto reason = ReasonToLeave(folder.size(), entry)) {
            Leave(values, relative + entry.name, *reason);
            continue;
        }
        if (entry.kind == EntryKind::Folder) {
            const std::string sub = entry.name + kPathSeparator;
            FillBelow(run, folder + sub, relative + sub, step, rowIndex);
            if (values.RunStatus >= 0) {
                return;
            }
        } else {
            ++rowIndex;
            if (rowIndex >= values.FileCount) {
                run.host.Beep();
                run.host.Warning(msg::kTooManyCopyFiles);
                values.RunStatus = kTooManyFiles;
                return;
            }
            WriteRow(values, rowIndex, indexFolder, entry);
        }
        run.Poll();
        if (rowIndex >= 0 && rowIndex % step == 0) {
            run.dialog.SetGauge(GaugePercent(rowIndex, values.FileCount));
        }
    }
}

std::string FileNameOf(const std::string& path) {
    std::size_t slash = path.find_last_of(kPathSeparator);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

void CountFiles(PlanningValues& values, const std::string& folder) {
    CountBelow(values, folder);
}

void ClearFileTable(PlanningValues& values, std::int64_t rows) {
    values.Table.ClearRows(static_cast<std::size_t>(rows));
}

void FillFileTable(PlanningRun& run, const std::string& folder, std::int64_t step,
                   std::int64_t& rowIndex) {
    const std::string& root = run.values.SourceRoot;
    std::string relative = folder.size() > root.size() ? folder.substr(root.size()) : "";
    FillBelow(run, folder, relative, step, rowIndex);
    // Listings of folders the walk did not reach (it stopped, or they went) are of no use now.
    run.values.Counted.clear();
}

void AddProgramRow(PlanningValues& values) {
    std::int64_t size = FileSizeOf(values.ProgramFile);
    if (size < 0) {
        return;
    }
    std::string name = FileNameOf(values.ProgramFile);
    auto row = static_cast<std::size_t>(values.FileCount);
    FileTable& table = values.Table;
    table.SetCell(Folder, row, msg::kProgramRowFolder);
    table.SetCell(Name, row, name);
    table.SetCell(StoredName, row, name);
    table.SetNumber(Size, row, size);
    table.SetNumber(Disk, row, 1);
}

} // namespace arbolink
