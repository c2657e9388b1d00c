// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rFile/SetCheck.h"

#include "core/ByteGauge.h"
#include "core/CopyReasons.h"
#include "core/Formatted.h"
#include "core/SetFormat.h"
#include "core/rFile/CheckMessages.h"
#include "core/rFile/NameList.h"
#include "core/rFile/RestorePaths.h"
#include "core/rFile/SetReader.h"
#include "fs/Drives.h"
#include "fs/Folders.h"
#include "fs/ReadBack.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace arbolink {

namespace {

void Damage(FileCheck& file, std::string reason) {
    file.state = FileState::Damaged;
    file.reason = std::move(reason);
}

// Why a stored file could not be read back. A link under a stored name is never followed.
std::string ReadBackReason(const std::string& diskFolder, int error) {
    if (error == ELOOP) {
        return msg::kReasonNotRegular;
    }
    if (DriveFreeBytes(diskFolder) == -1) {
        return msg::kReasonNoDisk;
    }
    return CopyFailureReason(error);
}

// The size first: a file cut short or grown is told without reading it. False when
// betweenChunks stopped the reading: the file is left Skipped.
bool Judge(FileCheck& file, const std::string& diskFolder, const FolderEntry& entry,
           const BetweenChunks& betweenChunks) {
    if (entry.kind != EntryKind::File) {
        Damage(file, msg::kReasonNotRegular);
        return true;
    }
    if (entry.size != file.entry.size) {
        Damage(file, msg::kReasonSizeMismatch);
        return true;
    }
    if (!file.entry.digest) {
        file.state = FileState::Unchecked;
        return true;
    }
    Sha256Digest digest{};
    int error = 0;
    bool stopped = false;
    auto reading = [&](std::int64_t bytesRead) {
        stopped = !betweenChunks(bytesRead);
        return !stopped;
    };
    if (!ReadBackDigest(diskFolder + entry.name, digest, error, {}, reading)) {
        if (stopped) {
            return false;
        }
        Damage(file, ReadBackReason(diskFolder, error));
    } else if (digest != *file.entry.digest) {
        Damage(file, msg::kReasonContentMismatch);
    } else {
        file.state = FileState::Good;
    }
    return true;
}

// "2 枚目 : docs/a.txt"
std::string OnDiskText(const FileCheck& file) {
    return Formatted(msg::kOnDisk, file.entry.disk, file.path);
}

class SetCheckRun {
public:
    SetCheckRun(Host& host, DiskSupplier* disks)
        : host_(host), fields_(host.ReadFields()), disks_(disks) {}

    SetCheckReport Run();

private:
    CheckEnding TakeDisks();
    CheckEnding TakeFolders();
    bool AllChecked() const;
    bool Seen(std::int32_t disk) const;
    bool AskForDisk(const std::string& question);
    void PassOver(const std::string& text);
    bool CheckDisk(const DiskIdentity& identity);
    void ReadIndex();
    DiskChecksums ReadMap();
    FileCheck FileOf(const MapEntry& entry) const;
    std::vector<FileCheck> FilesOf(std::int32_t disk) const;
    void SetUpDialog(ProgressDialog& dialog) const;
    void SetGaugeTotals();
    void ListWhatWasNotChecked();
    void ShowClosingMessage() const;

    Host& host_;
    const MainFields fields_;
    DiskSupplier* const disks_; // null: the disks are swapped in the drive of the field
    std::string diskFolder_;
    SetCheckReport report_;
    // Every map read so far, merged: each file once, with the digest any of them records.
    std::vector<MapEntry> known_;
    std::unordered_map<std::string, std::size_t> knownAt_;
    // From the first disk's index: each stored name's own folder and name, in index order.
    std::vector<std::pair<std::string, std::string>> indexRows_;
    std::unordered_map<std::string, std::string> paths_;
    ByteGauge gauge_; // over the bytes of the files the maps place on the set's disks
};

SetCheckReport SetCheckRun::Run() {
    // Disabled across all disks and the questions between them, up to the closing message.
    MainWindowDisabled disabled(host_);
    report_.ending = disks_ != nullptr ? TakeFolders() : TakeDisks();
    if (report_.diskCount == 0) {
        return report_; // no disk of a set was read: nothing to tell of one
    }
    ListWhatWasNotChecked();
    ShowClosingMessage();
    return report_;
}

bool SetCheckRun::AllChecked() const {
    return report_.diskCount > 0 &&
           static_cast<std::int32_t>(report_.checked.size()) >= report_.diskCount;
}

bool SetCheckRun::Seen(std::int32_t disk) const {
    return std::any_of(report_.checked.begin(), report_.checked.end(),
                       [disk](const DiskCheck& checked) { return checked.disk == disk; });
}

// The disk in the drive, again and again, until every disk of the set was checked; a disk
// that cannot be checked now makes the run ask for another one.
CheckEnding SetCheckRun::TakeDisks() {
    diskFolder_ = DiskFolder(fields_.destination);
    while (!AllChecked()) {
        while (DriveFreeBytes(diskFolder_) == -1) {
            host_.Beep();
            if (host_.ShowDialog(DialogKind::Confirmation, msg::kNoDiskInDrive,
                                 {Button::Abort, Button::Retry}) != Button::Retry) {
                return CheckEnding::Aborted;
            }
        }
        std::optional<DiskIdentity> identity;
        std::string why = msg::kNoSetFiles;
        try {
            identity = TryReadIdentity(diskFolder_);
        } catch (const SetFormatError& error) {
            why = error.what();
        }
        std::string question;
        if (!identity) {
            question = msg::kCheckNotASetDisk + diskFolder_ + "\n\n" + why;
        } else if (report_.diskCount > 0 && identity->setId != report_.setId) {
            question = msg::kCheckOtherSet;
        } else if (Seen(identity->disk)) {
            question =
                Formatted(msg::kCheckSwap,
                          report_.diskCount - static_cast<std::int32_t>(report_.checked.size()));
        }
        if (!question.empty()) {
            if (!AskForDisk(question)) {
                return CheckEnding::Stopped;
            }
        } else if (!CheckDisk(*identity)) {
            return CheckEnding::Cancelled;
        }
    }
    return CheckEnding::Finished;
}

// The folders in their order, each disk once, until every disk of the set was checked.
CheckEnding SetCheckRun::TakeFolders() {
    for (std::int32_t n = 1; !AllChecked() && !(diskFolder_ = disks_->Folder(n)).empty(); ++n) {
        std::optional<DiskIdentity> identity;
        try {
            identity = TryReadIdentity(diskFolder_);
        } catch (const SetFormatError& error) {
            PassOver(msg::kFolderWithoutSet + diskFolder_ + "\n\n" + error.what());
            continue;
        }
        if (!identity) {
            PassOver(msg::kFolderWithoutSet + diskFolder_ + "\n\n" + msg::kNoSetFiles);
        } else if (report_.diskCount > 0 && identity->setId != report_.setId) {
            PassOver(msg::kCheckFolderOfOtherSet + diskFolder_);
        } else if (Seen(identity->disk)) {
            PassOver(msg::kCheckFolderSeen + diskFolder_);
        } else if (!CheckDisk(*identity)) {
            return CheckEnding::Cancelled;
        }
    }
    if (report_.diskCount == 0) {
        host_.Beep();
        host_.Warning(msg::kNoFolderWithSet);
    }
    return CheckEnding::Finished;
}

bool SetCheckRun::AskForDisk(const std::string& question) {
    host_.Beep();
    return host_.ShowDialog(DialogKind::Confirmation, question, {Button::Yes, Button::No}) ==
           Button::Yes;
}

void SetCheckRun::PassOver(const std::string& text) {
    host_.Beep();
    host_.Warning(text);
}

// Reads the disk's map and checks its files behind a progress dialog. False on Cancel.
bool SetCheckRun::CheckDisk(const DiskIdentity& identity) {
    if (report_.diskCount == 0) {
        report_.setId = identity.setId;
        report_.diskCount = identity.diskCount;
        ReadIndex();
    }
    DiskCheck& disk = report_.checked.emplace_back();
    disk.disk = identity.disk;
    disk.folder = diskFolder_;
    disk.checksums = ReadMap();
    disk.files = FilesOf(identity.disk);

    SetGaugeTotals();
    std::unique_ptr<ProgressDialog> dialog = host_.CreateProgressDialog();
    SetUpDialog(*dialog);
    gauge_.Show(*dialog); // where the check is: the gauge goes on across the disks
    const bool whole =
        CheckDiskFiles(diskFolder_, disk.files, [&](const FileCheck& file, std::int64_t bytesRead) {
            if (bytesRead == 0) {
                dialog->SetCurrentFile(file.path, file.entry.size);
                gauge_.Begin(file.entry.size);
            }
            gauge_.Within(bytesRead, *dialog);
            host_.ProcessMessages();
            return !dialog->CancelRequested();
        });
    if (whole) {
        gauge_.End(*dialog);
    }
    return whole;
}

// The maps read so far tell the files of the set and their sizes; a file each map names once.
// A file the maps place on no disk of the set is not read, and does not count.
void SetCheckRun::SetGaugeTotals() {
    std::int64_t bytes = 0;
    std::int64_t files = 0;
    for (const MapEntry& entry : known_) {
        if (entry.disk >= 1 && entry.disk <= report_.diskCount) {
            bytes += std::max<std::int64_t>(entry.size, 0);
            ++files;
        }
    }
    gauge_.SetTotals(bytes, files);
}

// The index tells each stored file's own name, and which files the maps must name. One that
// cannot be read is told by its reader; the files are then named by their stored names.
void SetCheckRun::ReadIndex() {
    FileTable table;
    std::vector<std::string> folders;
    std::int64_t rows = -1;
    try {
        rows = ReadIndexFile(diskFolder_, table, folders, host_);
    } catch (const SetFormatError& error) {
        host_.ShowDialog(DialogKind::Error, error.what(), {Button::Ok});
    } catch (const std::bad_alloc&) {
        host_.Beep();
        host_.Warning(msg::kTooManyCopyFilesAlloc);
    }
    report_.indexRead = rows >= 0;
    for (std::int64_t row = 0; row < rows; ++row) {
        const auto r = static_cast<std::size_t>(row);
        const std::string& folder = table.Cell(Folder, r);
        const std::string& name = table.Cell(Name, r);
        std::string path = RestorePathOf(folder, name).value_or(folder + name);
        indexRows_.emplace_back(table.Cell(StoredName, r), path);
        paths_.emplace(table.Cell(StoredName, r), std::move(path));
    }
}

DiskChecksums SetCheckRun::ReadMap() {
    std::optional<std::vector<MapEntry>> map;
    try {
        map = TryReadSetMap(diskFolder_);
    } catch (const SetFormatError&) {
        return DiskChecksums::Unreadable;
    }
    if (!map) {
        return EntryExists(diskFolder_ + kSetMapName) ? DiskChecksums::Unreadable
                                                      : DiskChecksums::None;
    }
    for (MapEntry& entry : *map) {
        const auto [at, added] = knownAt_.emplace(entry.stored, known_.size());
        if (added) {
            known_.push_back(std::move(entry));
        } else if (MapEntry& first = known_[at->second];
                   !first.digest && first.disk == entry.disk && first.size == entry.size) {
            // An earlier disk's map could not know the digests of later disks' files.
            first.digest = entry.digest;
        }
    }
    return DiskChecksums::Present;
}

// A file of the map, named by its own folder and name where the index gives them.
FileCheck SetCheckRun::FileOf(const MapEntry& entry) const {
    FileCheck file;
    file.entry = entry;
    const auto path = paths_.find(entry.stored);
    file.path = path != paths_.end() ? path->second : entry.stored;
    return file;
}

std::vector<FileCheck> SetCheckRun::FilesOf(std::int32_t disk) const {
    std::vector<FileCheck> files;
    for (const MapEntry& entry : known_) {
        if (entry.disk == disk) {
            files.push_back(FileOf(entry));
        }
    }
    return files;
}

void SetCheckRun::SetUpDialog(ProgressDialog& dialog) const {
    dialog.SetOuterSize(350, 240);
    dialog.SetCaption(msg::kCheckCaption);
    dialog.SetAnimation(Animation::FindFolder, -1, 8, true);
    dialog.SetMessage({8, 72, 330, 50}, TextAlignment::Left, msg::kCheckLabel + diskFolder_);
    dialog.PlaceGauge(24, 136);
    dialog.Show();
    dialog.Repaint();
}

void SetCheckRun::ListWhatWasNotChecked() {
    for (std::int32_t disk = 1; disk <= report_.diskCount; ++disk) {
        if (!Seen(disk)) {
            DiskCheck& missing = report_.notGiven.emplace_back();
            missing.disk = disk;
            missing.files = FilesOf(disk);
        }
    }
    for (const MapEntry& entry : known_) {
        if (entry.disk > report_.diskCount) {
            report_.unplaced.push_back(FileOf(entry));
        }
    }
    // Without any map, every file would be named here: the disks' own lines say it instead.
    if (known_.empty()) {
        return;
    }
    for (const auto& [stored, path] : indexRows_) {
        if (knownAt_.count(stored) == 0) {
            FileCheck& file = report_.unplaced.emplace_back();
            file.entry.stored = stored;
            file.path = path;
        }
    }
}

void SetCheckRun::ShowClosingMessage() const {
    host_.Beep();
    if (report_.Verified()) {
        host_.Message(msg::kCheckAllGood);
        return;
    }
    std::vector<const FileCheck*> damaged;
    std::vector<const FileCheck*> missing;
    std::vector<const FileCheck*> unchecked;
    std::string noChecksums;
    std::string unreadableChecksums;
    for (const DiskCheck& disk : report_.checked) {
        std::string& list =
            disk.checksums == DiskChecksums::None ? noChecksums : unreadableChecksums;
        if (disk.checksums != DiskChecksums::Present) {
            list += "\n" + Formatted(msg::kOnDisk, disk.disk, disk.folder);
        }
        for (const FileCheck& file : disk.files) {
            auto& kind = file.state == FileState::Damaged   ? damaged
                         : file.state == FileState::Missing ? missing
                                                            : unchecked;
            if (file.state != FileState::Good && file.state != FileState::Skipped) {
                kind.push_back(&file);
            }
        }
    }
    auto named = [](const std::vector<const FileCheck*>& files) {
        return [&files](std::size_t i) { return OnDiskText(*files[i]); };
    };
    std::string text = report_.ending == CheckEnding::Aborted     ? msg::kCheckAborted
                       : report_.ending == CheckEnding::Cancelled ? msg::kCancelled
                                                                  : msg::kCheckFinished;
    text += NameList(msg::kDamagedFiles, damaged.size(), named(damaged));
    text += NameList(msg::kMissingFiles, missing.size(), named(missing));
    text += NameList(msg::kUncheckedFiles, unchecked.size(), named(unchecked));
    text += NameList(msg::kUnplacedFiles, report_.unplaced.size(),
                     [this](std::size_t i) { return report_.unplaced[i].path; });
    if (!report_.notGiven.empty()) {
        std::vector<const FileCheck*> onThem;
        std::string numbers;
        for (const DiskCheck& disk : report_.notGiven) {
            numbers += (&disk == &report_.notGiven.front() ? "" : ", ") + std::to_string(disk.disk);
            for (const FileCheck& file : disk.files) {
                onThem.push_back(&file);
            }
        }
        text += Formatted(msg::kDisksNotGiven, numbers);
        text += NameList(msg::kFilesOnDisksNotGiven, onThem.size(), named(onThem));
    }
    if (!noChecksums.empty()) {
        text += msg::kNoChecksumsOnDisks + noChecksums;
    }
    if (!unreadableChecksums.empty()) {
        text += msg::kChecksumsUnreadableOnDisks + unreadableChecksums;
    }
    host_.Warning(text);
}

} // namespace

bool CheckDiskFiles(const std::string& diskFolder, std::vector<FileCheck>& files,
                    const CheckProgress& progress) {
    std::vector<FolderEntry> entries;
    // A listing cut short leaves the files it did not reach unreadable, never missing.
    const bool listed = ListFolder(diskFolder, true, entries);
    std::unordered_map<std::string_view, const FolderEntry*> byName;
    for (const FolderEntry& entry : entries) {
        byName.emplace(entry.name, &entry);
    }
    for (FileCheck& file : files) {
        if (!progress(file, 0)) {
            return false;
        }
        const auto found = byName.find(file.entry.stored);
        if (found != byName.end()) {
            if (!Judge(file, diskFolder, *found->second,
                       [&](std::int64_t bytesRead) { return progress(file, bytesRead); })) {
                return false;
            }
        } else if (listed) {
            file.state = FileState::Missing;
        } else {
            Damage(file, msg::kReasonFolderUnreadable);
        }
    }
    return true;
}

bool SetCheckReport::Verified() const {
    auto sound = [](const DiskCheck& disk) {
        return disk.checksums == DiskChecksums::Present &&
               std::all_of(disk.files.begin(), disk.files.end(),
                           [](const FileCheck& file) { return file.state == FileState::Good; });
    };
    return diskCount > 0 && indexRead && ending == CheckEnding::Finished && notGiven.empty() &&
           unplaced.empty() && std::all_of(checked.begin(), checked.end(), sound);
}

SetCheckReport CheckSetDisks(Host& host, DiskSupplier* disks) {
    return SetCheckRun(host, disks).Run();
}

SetCheckReport Verify1Click(Session& /*session*/, Host& host) {
    const MainFields fields = host.ReadFields();
    if (fields.destination.empty()) {
        host.Message(msg::kSetDiskFolder);
        return {};
    }
    // A pulled disk must not let the run read the empty mount folder.
    VolumeWatch watch;
    watch.Remember(fields.destination);
    return CheckSetDisks(host);
}

} // namespace arbolink
