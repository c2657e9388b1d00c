// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rFile/RestoreRun.h"

#include "core/ByteGauge.h"
#include "core/CopyReasons.h"
#include "core/Formatted.h"
#include "core/MediaFollow.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/rFile/NameList.h"
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/RestorePaths.h"
#include "core/rFile/RestoredFiles.h"
#include "core/rFile/SetReader.h"
#include "core/rFile/StoredNameIndex.h"
#include "fs/Copy.h"
#include "fs/Drives.h"
#include "fs/Folders.h"
#if ARBOLINK_RECOVERY
#include "core/recovery/RecoveryMessages.h"
#include "core/recovery/RestoreRebuild.h"
#endif

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace arbolink {

namespace {

// A row as the index spells it, for messages; a NUL would cut the text short.
std::string RowText(const std::string& folder, const std::string& name) {
    std::string text = folder + name;
    std::replace(text.begin(), text.end(), '\0', '?');
    return text;
}

// The files restored under another name than the index gives, each "asked → taken".
std::string RenamedList(const Phrase& before, const std::vector<RenamedFile>& files) {
    return NameList(before, files.size(), [&](std::size_t i) {
        return files[i].asked + msg::kRenamedArrow + files[i].taken;
    });
}

// The rows whose flag is false, without copying their names: an index may hold millions.
std::vector<std::size_t> RowsWithout(const std::vector<bool>& flags) {
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < flags.size(); ++row) {
        if (!flags[row]) {
            rows.push_back(row);
        }
    }
    return rows;
}

// How the disks of a run came to an end.
enum class Ending { Finished, Aborted };

class RestoreRun {
public:
    RestoreRun(Session& session, Host& host, DiskSupplier* disks)
        : host_(host), table_(session.values.Table), fields_(host.ReadFields()), disks_(disks),
          media_(session.Media), recoveryCache_(session.RecoveryCache) {}

    void Run();

private:
    bool WaitForMedium();
    bool WaitForSetFiles();
    bool FindFirstFolder();
    bool ReadIndex();
    bool RowsAreSafe();
    bool RowsAreDistinct();
    bool RefuseRow(const std::string& text);
    bool RestoreFolderStaysPut();
    void CreateFolderTree();
    bool TakeDisks();
    bool TakeFolders();
    std::optional<DiskIdentity> ReadDiskInDrive();
    bool AskToSwap(const std::string& question);
    bool AskForMedium(const std::string& question, const Buttons& buttons, Button wanted);
    void PassOverFolder(const std::string& why);
    bool RestoreDiskFiles(std::int32_t disk);
    void ReadDigestsOfDisk(std::int32_t disk);
    void SetUpDialog(ProgressDialog& dialog);
    void CountBytesOfSet(const std::vector<MapEntry>& map);
    bool RestoreRow(const std::string& source, const Sha256Digest* digest, std::size_t row,
                    ProgressDialog& dialog);
    bool PutBack(const std::string& source, const Sha256Digest* digest, std::size_t row,
                 std::int64_t size, ProgressDialog& dialog);
    std::string ChecksumNote() const;
    std::string RebuildNote() const;
    void End(Ending ending);
    void ShowClosingMessage(Ending ending);
#if ARBOLINK_RECOVERY
    void FindRecoveryFolder();
    bool RebuildLost();
    void ShowRebuildMessage();
#endif

    Host& host_;
    FileTable& table_;
    const MainFields fields_;
    DiskSupplier* const disks_;             // null: the disks are swapped in the drive of the field
    MediaWatcher* const media_;             // null: the disk folder stays put
    const std::string recoveryCache_;       // where lost files are made; empty: the user's cache
    std::optional<DriveFollower> follower_; // the drive's media, once the first disk is read
    std::int32_t folderNumber_ = 1;         // with a supplier: the folder read now
    std::string diskFolder_;
    std::string restoreRoot_;
    std::size_t rowCount_ = 0; // file rows read from the first disk's index
    SetEncoding encoding_ = SetEncoding::Utf8;
    std::vector<std::string> folderList_;
    std::vector<std::string> targets_; // per row: its file relative to the restore folder
    std::vector<bool> reached_;        // per row: its stored file was met on a disk
    std::vector<bool> back_;           // per row: its file has been copied back
    std::optional<StoredNameIndex> storedNames_;
    std::optional<RestoredFiles> restored_;
    std::vector<std::int32_t> seenDisks_;
    int restoreStatus_ = kRunning;
    std::int64_t restoredCount_ = 0;
    ByteGauge gauge_;         // over the set's bytes, across the disks
    bool bytesKnown_ = false; // a set map has told the gauge the set's bytes
    std::string referenceId_;
    std::int32_t diskTotal_ = 0;
    std::vector<std::string> notCopied_;
    // The digests the disk in hand records for its stored files, from its set map.
    std::unordered_map<std::string, Sha256Digest> digests_;
    bool someDiskUnchecked_ = false; // a disk without a set map
    // A recovery disk of the set among the folders, or the one put in the drive for the next
    // disk, which ends the data disks: the files left behind are then made again.
    std::string recoveryFolder_;
    bool rebuildRan_ = false;
    std::vector<std::size_t> rebuilt_;                        // rows made again and put back
    std::vector<std::pair<std::size_t, std::string>> unmade_; // rows that were not, with why
    std::vector<std::string> unreadableMaps_; // disk folders whose map could not be read
};

void RestoreRun::Run() {
    table_.Discard();
    restoreRoot_ = AddBackslash(fields_.restoreTo);
    if (disks_ != nullptr) {
        if (!FindFirstFolder()) {
            return;
        }
    } else {
        diskFolder_ = DiskFolder(fields_.destination);
        if (!WaitForMedium() || !WaitForSetFiles()) {
            return;
        }
        follower_.emplace(media_, diskFolder_);
    }
    restoredCount_ = 0;
    restoreStatus_ = kRunning;
    if (!ReadIndex()) {
        return;
    }
    if (rowCount_ == 0) {
        host_.Message(msg::kSetWithoutFiles);
        return;
    }
    if (!RowsAreSafe() || !RowsAreDistinct()) {
        return;
    }
    std::optional<DiskIdentity> identity = ReadIdentity(diskFolder_, host_);
    if (!identity) {
        return;
    }
    referenceId_ = identity->setId;
    diskTotal_ = identity->diskCount;
    if (!RestoreFolderStaysPut()) {
        return;
    }
    // The command has asked the user about a folder that holds anything: there, a file of the
    // set takes the place of one the folder held, as it always did.
    restored_.emplace(FolderHasEntries(restoreRoot_));
    // Only now, with the whole index read and found sound, is anything written.
    CreateFolderTree();
    storedNames_.emplace(table_, rowCount_);
    reached_.assign(rowCount_, false);
    back_.assign(rowCount_, false);
    // The index tells no sizes: until a set map tells them, the gauge counts files.
    gauge_.SetTotals(0, static_cast<std::int64_t>(rowCount_));

    // Disabled across all disks and the questions between them, up to the closing message.
    MainWindowDisabled disabled(host_);
#if ARBOLINK_RECOVERY
    FindRecoveryFolder();
#endif
    End(disks_ != nullptr ? (TakeFolders() ? Ending::Finished : Ending::Aborted)
                          : (TakeDisks() ? Ending::Finished : Ending::Aborted));
}

// Files left behind by a run that went to its end are made again where a recovery disk of the
// set is at hand: at once from folders, after a question for disks in the drive.
void RestoreRun::End(Ending ending) {
#if ARBOLINK_RECOVERY
    if (ending == Ending::Finished && restoreStatus_ < 0 && !recoveryFolder_.empty() &&
        !RowsWithout(back_).empty()) {
        if (disks_ != nullptr) {
            ShowClosingMessage(RebuildLost() ? Ending::Finished : Ending::Aborted);
            return;
        }
        ShowClosingMessage(ending);
        if (host_.ShowDialog(DialogKind::Confirmation, msg::kAskRebuild,
                             {Button::Yes, Button::No}) == Button::Yes) {
            const bool finished = RebuildLost();
            if (finished) {
                ShowRebuildMessage();
            } else {
                ShowClosingMessage(Ending::Aborted);
            }
        }
        return;
    }
#endif
    ShowClosingMessage(ending);
}

#if ARBOLINK_RECOVERY
void RestoreRun::FindRecoveryFolder() {
    if (disks_ == nullptr) {
        return;
    }
    for (const std::string& folder : disks_->RecoveryFolders()) {
        if (IsRecoveryDiskOf(folder, referenceId_)) {
            recoveryFolder_ = folder;
            return;
        }
    }
}

// Makes the rows not back again; false when the user chose Abort or Cancel on the way.
bool RestoreRun::RebuildLost() {
    LossRebuildRequest request;
    request.setId = referenceId_;
    request.rowCount = rowCount_;
    request.lost = RowsWithout(back_);
    request.recoveryFolder = recoveryFolder_;
    request.cache = recoveryCache_;
    request.disks = disks_;
    request.driveFolder = diskFolder_;
    request.askForDisk = [this](const std::string& question) {
        return AskForMedium(question, {Button::Yes, Button::No}, Button::Yes);
    };
    request.place = [this](std::size_t row, const std::string& path, ProgressDialog& dialog) {
        return PutBack(path, nullptr, row, FileSizeOf(path), dialog);
    };
    const LossRebuildOutcome outcome = RebuildLostFiles(host_, request);
    rebuildRan_ = true;
    for (std::size_t row : outcome.made) {
        reached_[row] = true;
        notCopied_.erase(std::remove(notCopied_.begin(), notCopied_.end(), targets_[row]),
                         notCopied_.end());
    }
    rebuilt_ = outcome.made;
    for (const UnmadeFile& file : outcome.unmade) {
        unmade_.emplace_back(file.row, file.reason);
    }
    return !outcome.aborted;
}

void RestoreRun::ShowRebuildMessage() {
    host_.Beep();
    if (unmade_.empty()) {
        host_.Message(msg::kAllLostRebuilt);
        return;
    }
    host_.Warning(msg::kRebuildEnded + RebuildNote());
}
#endif

// What the closing message says of files made again, and of those that could not be.
std::string RestoreRun::RebuildNote() const {
    std::string note;
#if ARBOLINK_RECOVERY
    if (!rebuilt_.empty()) {
        note += Formatted(msg::kRebuiltNote, rebuilt_.size());
    }
    note += NameList(msg::kNotRebuiltFiles, unmade_.size(), [this](std::size_t i) {
        return Formatted(msg::kNameWithReason, targets_[unmade_[i].first], unmade_[i].second);
    });
#endif
    return note;
}

bool RestoreRun::WaitForMedium() {
    while (DriveFreeBytes(diskFolder_) == -1) {
        if (!AskForMedium(msg::kNoDiskInDrive, {Button::Abort, Button::Retry}, Button::Retry)) {
            return false;
        }
    }
    return true;
}

bool RestoreRun::AskForMedium(const std::string& question, const Buttons& buttons, Button wanted) {
    return arbolink::AskForMedium(host_, follower_ ? &*follower_ : nullptr, question, buttons,
                                  wanted, diskFolder_);
}

bool RestoreRun::WaitForSetFiles() {
    // Anything of those names counts: a link or FIFO in their place is a fault of the disk,
    // which the readers name, not a disk without a set.
    while (!EntryExists(diskFolder_ + kIndexFileName) ||
           !EntryExists(diskFolder_ + kIdentityFileName)) {
        host_.Beep();
        if (host_.ShowDialog(DialogKind::Confirmation, msg::kNoSetFiles,
                             {Button::Abort, Button::Retry}) != Button::Retry) {
            return false;
        }
    }
    return true;
}

// The first of the given folders that holds a set's two files; those before it are named
// and passed over.
bool RestoreRun::FindFirstFolder() {
    for (diskFolder_ = disks_->Folder(folderNumber_); !diskFolder_.empty();
         diskFolder_ = disks_->Folder(++folderNumber_)) {
        if (EntryExists(diskFolder_ + kIndexFileName) &&
            EntryExists(diskFolder_ + kIdentityFileName)) {
            return true;
        }
        PassOverFolder(msg::kNoSetFiles);
    }
    host_.Beep();
    host_.Warning(msg::kNoFolderWithSet);
    return false;
}

// Reads the index whole into the table. False after a message when it cannot be read or the
// memory for it cannot be had.
bool RestoreRun::ReadIndex() {
    try {
        const std::int64_t rows =
            ReadIndexFile(diskFolder_, table_, folderList_, host_, &encoding_);
        if (rows < 0) {
            return false; // the index went away since it was seen: nothing to restore from
        }
        rowCount_ = static_cast<std::size_t>(rows);
        return true;
    } catch (const std::bad_alloc&) {
        table_.Discard();
    }
    host_.Beep();
    host_.Warning(msg::kTooManyCopyFilesAlloc);
    return false;
}

bool RestoreRun::RefuseRow(const std::string& text) {
    host_.Beep();
    host_.ShowDialog(DialogKind::Error, text, {Button::Ok});
    return false;
}

// Every row is checked before anything is written, so a hostile index changes nothing.
bool RestoreRun::RowsAreSafe() {
    targets_.resize(rowCount_);
    for (std::size_t row = 0; row < rowCount_; ++row) {
        std::optional<std::string> target =
            RestorePathOf(table_.Cell(Folder, row), table_.Cell(Name, row));
        if (!target) {
            return RefuseRow(Formatted(msg::kUnsafeRow, row + 1,
                                       RowText(table_.Cell(Folder, row), table_.Cell(Name, row))));
        }
        targets_[row] = std::move(*target);
    }
    return true;
}

// Two rows of one path would have the second file written over the first; only a damaged or
// hand-made index holds them. The rows are sorted by a hash of their paths, which takes far
// less memory and time than a table of every path, and only rows of one hash are compared.
// The pair told is the one whose later row comes first in the index.
bool RestoreRun::RowsAreDistinct() {
    std::vector<std::pair<std::size_t, std::size_t>> byHash(rowCount_); // hash, row
    for (std::size_t row = 0; row < rowCount_; ++row) {
        byHash[row] = {std::hash<std::string>{}(targets_[row]), row};
    }
    std::sort(byHash.begin(), byHash.end());
    std::size_t earlier = 0;
    std::size_t later = rowCount_;
    for (std::size_t first = 0, end = 0; first < byHash.size(); first = end) {
        for (end = first + 1; end < byHash.size() && byHash[end].first == byHash[first].first;
             ++end) {
            // Rows of one hash are few; each is compared with those before it.
            for (std::size_t i = first; i < end; ++i) {
                const std::size_t row = byHash[end].second;
                if (row < later && targets_[byHash[i].second] == targets_[row]) {
                    earlier = byHash[i].second;
                    later = row;
                }
            }
        }
    }
    return later == rowCount_ ||
           RefuseRow(Formatted(msg::kSameRow, later + 1, earlier + 1,
                               RowText(table_.Cell(Folder, later), table_.Cell(Name, later))));
}

// A restore folder on the very medium that is taken out for the next disk would go with it.
bool RestoreRun::RestoreFolderStaysPut() {
    if (disks_ != nullptr || diskTotal_ < 2) {
        return true;
    }
    const std::string kind = GetDriveKind(diskFolder_);
    const std::string root = VolumeRootOf(diskFolder_);
    if ((kind != "Rem" && kind != "CD") || root.empty() || root != VolumeRootOf(restoreRoot_)) {
        return true;
    }
    host_.Beep();
    host_.ShowDialog(DialogKind::Error, msg::kRestoreOntoSwappedDrive + restoreRoot_, {Button::Ok});
    return false;
}

// A link or a file in the way of a folder is left as it is: nothing is created through it, and
// each row below it is refused when it is copied, naming it. A folder the run writes to is
// cleared of the temporary files a killed run left in it.
void RestoreRun::CreateFolderTree() {
    for (const std::string& folder : folderList_) {
        // Every listed folder belongs to a row that passed RowsAreSafe.
        const std::string relative = RestoreFolderOf(folder).value_or(std::string());
        FolderWalkStop stop;
        if (CreateFoldersBelow(restoreRoot_, relative, stop)) {
            RemoveTemporaryFiles(restoreRoot_ + relative);
        }
    }
}

bool RestoreRun::TakeDisks() {
    for (std::int32_t k = 1; k <= diskTotal_;) {
        std::optional<DiskIdentity> disk = ReadDiskInDrive();
        if (!disk) {
            return !recoveryFolder_.empty();
        }
        if (disk->setId != referenceId_) {
            if (!AskToSwap(msg::kOtherSet)) {
                return false;
            }
        } else if (std::find(seenDisks_.begin(), seenDisks_.end(), disk->disk) !=
                   seenDisks_.end()) {
            if (!AskToSwap(Formatted(msg::kSwapDiskLeft, diskTotal_ - k + 1))) {
                return false;
            }
        } else {
            seenDisks_.push_back(disk->disk);
            if (!RestoreDiskFiles(disk->disk)) {
                return false;
            }
            if (restoreStatus_ >= 0) {
                break;
            }
            ++k;
        }
    }
    return true;
}

// The identity of the disk in the drive. A drive without a medium is asked about as at the
// start; a disk that holds no readable identity is named and another one asked for. Nothing
// when the user chose Abort.
std::optional<DiskIdentity> RestoreRun::ReadDiskInDrive() {
    for (;;) {
        if (!WaitForMedium()) {
            return std::nullopt;
        }
        std::string why;
        try {
            std::optional<DiskIdentity> disk = TryReadIdentity(diskFolder_);
            if (disk) {
                return disk;
            }
#if ARBOLINK_RECOVERY
            if (IsRecoveryDiskOf(diskFolder_, referenceId_)) {
                recoveryFolder_ = diskFolder_;
                return std::nullopt;
            }
#endif
            why = msg::kNoSetFiles;
        } catch (const SetFormatError& error) {
            why = error.what();
        }
        if (!AskToSwap(msg::kNotASetDisk + diskFolder_ + "\n\n" + why)) {
            return std::nullopt;
        }
    }
}

// Folders are taken in their order, each disk once; a folder without a readable set, of
// another set or of a disk already restored is named and passed over. When the folders run
// out first, the closing message names the files none of them held.
bool RestoreRun::TakeFolders() {
    for (; static_cast<std::int64_t>(seenDisks_.size()) < diskTotal_ && !diskFolder_.empty();
         diskFolder_ = disks_->Folder(++folderNumber_)) {
        std::optional<DiskIdentity> disk;
        try {
            disk = TryReadIdentity(diskFolder_);
        } catch (const SetFormatError& error) {
            PassOverFolder(error.what());
            continue;
        }
        if (!disk) {
            PassOverFolder(msg::kNoSetFiles);
            continue;
        }
        const Phrase* passedOver = nullptr;
        if (disk->setId != referenceId_) {
            passedOver = &msg::kFolderOfOtherSet;
        } else if (std::find(seenDisks_.begin(), seenDisks_.end(), disk->disk) !=
                   seenDisks_.end()) {
            passedOver = &msg::kFolderRestoredAlready;
        }
        if (passedOver != nullptr) {
            host_.Beep();
            host_.Warning(*passedOver + diskFolder_);
            continue;
        }
        seenDisks_.push_back(disk->disk);
        if (!RestoreDiskFiles(disk->disk)) {
            return false;
        }
        if (restoreStatus_ >= 0) {
            break;
        }
    }
    return true;
}

void RestoreRun::PassOverFolder(const std::string& why) {
    host_.Beep();
    host_.Warning(msg::kFolderWithoutSet + diskFolder_ + "\n\n" + why);
}

bool RestoreRun::AskToSwap(const std::string& question) {
    return AskForMedium(question, {Button::Yes, Button::Abort}, Button::Yes);
}

void RestoreRun::SetUpDialog(ProgressDialog& dialog) {
    dialog.SetOuterSize(350, 240);
    dialog.SetCaption(msg::kRestoreCaption);
    dialog.SetAnimation(Animation::CopyFiles, -1, 8, true);
    const std::string& from = disks_ != nullptr ? diskFolder_ : fields_.destination;
    std::string text = msg::kFromLabel + from + "\n" + msg::kToLabel + restoreRoot_;
    if (follower_ && !follower_->Note().empty()) {
        text += '\n';
        text += follower_->Note();
        dialog.SetNote(follower_->Note());
    }
    dialog.SetMessage({8, 72, 330, 50}, TextAlignment::Left, text);
    dialog.PlaceGauge(24, 136);
    gauge_.Show(dialog); // where the set's restore is: the gauge goes on across the disks
    dialog.Show();
    dialog.Repaint();
}

// The digests of the disk's own files, from its map. A disk without one, or with one that
// cannot be read, is restored unchecked, and the closing message says so.
void RestoreRun::ReadDigestsOfDisk(std::int32_t disk) {
    digests_.clear();
    std::optional<std::vector<MapEntry>> map;
    try {
        map = TryReadSetMap(diskFolder_);
    } catch (const SetFormatError&) {
        unreadableMaps_.push_back(diskFolder_);
        return;
    }
    if (!map) {
        if (EntryExists(diskFolder_ + kSetMapName)) {
            unreadableMaps_.push_back(diskFolder_);
        } else {
            someDiskUnchecked_ = true;
        }
        return;
    }
    CountBytesOfSet(*map);
    for (MapEntry& entry : *map) {
        if (entry.disk == disk && entry.digest) {
            digests_.emplace(std::move(entry.stored), *entry.digest);
        }
    }
}

// Every disk's map names every file of the set with its size: the first map read gives the
// gauge the bytes of the whole set. Only a file copied back counts, so a run that leaves
// files behind ends short of 100.
void RestoreRun::CountBytesOfSet(const std::vector<MapEntry>& map) {
    if (bytesKnown_) {
        return;
    }
    bytesKnown_ = true;
    std::int64_t bytes = 0;
    for (const MapEntry& entry : map) {
        if (entry.disk >= 1 && entry.disk <= diskTotal_) {
            bytes += std::max<std::int64_t>(entry.size, 0);
        }
    }
    gauge_.SetTotals(bytes, static_cast<std::int64_t>(rowCount_));
}

// Copies the stored files of the disk in the drive. False when the user chose Abort.
bool RestoreRun::RestoreDiskFiles(std::int32_t disk) {
    ReadDigestsOfDisk(disk);
    std::unique_ptr<ProgressDialog> dialog = host_.CreateProgressDialog();
    SetUpDialog(*dialog);
    std::vector<FolderEntry> entries;
    // A listing cut short leaves rows unreached; the closing message names them.
    ListFolder(diskFolder_, true, entries);
    for (const FolderEntry& entry : entries) {
        // Folders (the program copy among them), links to folders, special files and the
        // temporary files of a divide cut short are never restored.
        if (entry.kind != EntryKind::File || IsSetFileName(entry.name) ||
            IsTemporaryName(entry.name)) {
            continue;
        }
        for (std::int64_t row = storedNames_->FirstOnDisk(entry.name, encoding_);
             row != StoredNameIndex::kNoRow; row = storedNames_->Next(row)) {
            auto r = static_cast<std::size_t>(row);
            reached_[r] = true;
            dialog->SetCurrentFile(targets_[r], entry.size);
            const auto recorded = digests_.find(entry.name);
            if (!PutBack(diskFolder_ + entry.name,
                         recorded != digests_.end() ? &recorded->second : nullptr, r, entry.size,
                         *dialog)) {
                return false;
            }
            host_.ProcessMessages();
            if (dialog->CancelRequested()) {
                restoreStatus_ = kCancelled;
                break;
            }
        }
        if (restoreStatus_ == kCancelled) {
            break;
        }
    }
    return true;
}

// Copies a file to the row's place under the gauge; the row is back when it was copied.
// False on Abort.
bool RestoreRun::PutBack(const std::string& source, const Sha256Digest* digest, std::size_t row,
                         std::int64_t size, ProgressDialog& dialog) {
    gauge_.Begin(size);
    const std::int64_t before = restoredCount_;
    if (!RestoreRow(source, digest, row, dialog)) {
        return false;
    }
    back_[row] = restoredCount_ > before;
    if (back_[row]) {
        gauge_.End(dialog);
    } else {
        gauge_.Drop();
    }
    return true;
}

// Copies one stored file to its row's place, moving the gauge as it goes, asking again while
// it fails. False on Abort.
bool RestoreRun::RestoreRow(const std::string& source, const Sha256Digest* digest, std::size_t row,
                            ProgressDialog& dialog) {
    ContentCheck check;
    check.expected = digest;
    for (;;) {
        const CopyOutcome outcome = CopyFileBelow(
            source, restoreRoot_, targets_[row],
            [this, &dialog](std::int64_t bytesCopied) {
                gauge_.Within(bytesCopied, dialog);
                host_.ProcessMessages();
                return true; // Cancel takes effect after the file in hand
            },
            SourceLinks::Refuse, restored_->CheckFor(targets_[row]), check);
        if (outcome.result == CopyResult::Copied) {
            restored_->Note(targets_[row], outcome);
            ++restoredCount_;
            return true;
        }
        // A stored file that is a link, a FIFO, a device or a folder is not a file of the set:
        // it is never read, and the row is named with the files no disk held.
        if (outcome.result == CopyResult::Failed && outcome.side == CopySide::Source &&
            outcome.error == EINVAL) {
            reached_[row] = false;
            return true;
        }
        // A damaged file of a set whose recovery disk is among the folders is made again at
        // the end, without a question.
        if (disks_ != nullptr && !recoveryFolder_.empty() &&
            (outcome.result == CopyResult::SizeChanged ||
             outcome.result == CopyResult::ContentMismatch)) {
            return true;
        }
        const std::string reason = outcome.result == CopyResult::SizeChanged
                                       ? msg::kReasonStoredFileChanged
                                   : outcome.result == CopyResult::ContentMismatch
                                       ? msg::kReasonContentMismatch
                                       : FailedCopyReason(outcome, CopySide::Source, diskFolder_);
        host_.Beep();
        Button answer = host_.ShowDialog(
            DialogKind::Error,
            Formatted(msg::kCopyFailed, source, restoreRoot_ + targets_[row], reason),
            {Button::Abort, Button::Retry, Button::Ignore});
        if (answer == Button::Ignore) {
            notCopied_.push_back(targets_[row]);
            return true;
        }
        if (answer != Button::Retry) {
            return false;
        }
    }
}

void RestoreRun::ShowClosingMessage(Ending ending) {
    host_.Beep();
    auto targetOf = [this](const std::vector<std::size_t>& rows) {
        return [this, &rows](std::size_t i) { return targets_[rows[i]]; };
    };
    if (ending == Ending::Aborted || restoreStatus_ >= 0) {
        // Ended early: every file not back yet is named, whatever kept it.
        const std::vector<std::size_t> notRestored = RowsWithout(back_);
        host_.Warning((ending == Ending::Aborted ? msg::kRestoreAborted : msg::kCancelled) +
                      NameList(msg::kNotRestoredFiles, notRestored.size(), targetOf(notRestored)) +
                      RenamedList(msg::kRenamedFiles, restored_->Renamed()));
        return;
    }
    // After a rebuild every file left behind was either made again or is named with why not.
    const std::vector<std::size_t> notFound =
        rebuildRan_ ? std::vector<std::size_t>{} : RowsWithout(reached_);
    const std::string failures =
        NameList(msg::kNotCopiedFiles, rebuildRan_ ? std::vector<std::string>{} : notCopied_) +
        NameList(msg::kNotFoundFiles, notFound.size(), targetOf(notFound)) +
        RenamedList(msg::kRenamedFiles, restored_->Renamed());
    if (failures.empty() && unmade_.empty()) {
        host_.Message(msg::kRestoreFinished + RebuildNote() + ChecksumNote());
    } else {
        host_.Warning(msg::kRestoreFinished + failures + RebuildNote() + ChecksumNote());
    }
}

// What the closing message says of disks whose files came back unchecked.
std::string RestoreRun::ChecksumNote() const {
    std::string note = someDiskUnchecked_ ? std::string(msg::kNoChecksums) : std::string();
    if (!unreadableMaps_.empty()) {
        note += msg::kChecksumsUnreadable;
        for (const std::string& folder : unreadableMaps_) {
            note += "\n" + folder;
        }
    }
    return note;
}

} // namespace

void RestoreDisks(Session& session, Host& host, DiskSupplier* disks) {
    try {
        RestoreRun(session, host, disks).Run();
    } catch (const SetFormatError& error) {
        // The run has released what it held and enabled the main window by now.
        host.ShowDialog(DialogKind::Error, error.what(), {Button::Ok});
    }
}

} // namespace arbolink
