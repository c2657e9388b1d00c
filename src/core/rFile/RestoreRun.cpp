#include "core/rFile/RestoreRun.h"

#include "core/CopyReasons.h"
#include "core/Progress.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/rFile/RestoreMessages.h"
#include "core/rFile/RestorePaths.h"
#include "core/rFile/SetReader.h"
#include "core/rFile/StoredNameIndex.h"
#include "fs/Copy.h"
#include "fs/Drives.h"
#include "fs/Folders.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace arbolink {

namespace {

// The closing message names at most this many files of each kind; a count says the rest.
constexpr std::size_t kNamesShown = 20;

bool IsSetFile(const std::string& name) {
    return name == kIndexFileName || name == kIdentityFileName;
}

// A row as the index spells it, for messages; a NUL would cut the text short.
std::string RowText(const std::string& folder, const std::string& name) {
    std::string text = folder + name;
    std::replace(text.begin(), text.end(), '\0', '?');
    return text;
}

std::string NameList(const char* before, const std::vector<std::string>& names) {
    if (names.empty()) {
        return {};
    }
    std::string text = before + std::to_string(names.size()) + msg::kFilesAfter;
    for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i) {
        text += "\n" + names[i];
    }
    if (names.size() > kNamesShown) {
        text += msg::kMoreBefore + std::to_string(names.size() - kNamesShown) + msg::kMoreAfter;
    }
    return text;
}

class RestoreRun {
public:
    RestoreRun(Session& session, Host& host, DiskSupplier* disks)
        : host_(host), table_(session.values.Table), fields_(host.ReadFields()), disks_(disks) {}

    void Run();

private:
    bool WaitForMedium();
    bool WaitForSetFiles();
    bool SizeTable();
    bool RowsAreSafe();
    void CreateFolderTree();
    bool TakeDisks();
    bool TakeFolders();
    bool AskToSwap(const std::string& question);
    bool RestoreDiskFiles();
    void SetUpDialog(ProgressDialog& dialog);
    bool RestoreRow(const std::string& storedName, std::size_t row);
    void ShowClosingMessage();

    Host& host_;
    FileTable& table_;
    const MainFields fields_;
    DiskSupplier* const disks_; // null: the disks are swapped in the drive of the field
    std::string diskFolder_;
    std::string restoreRoot_;
    std::int64_t indexRowCount_ = 0; // lines of the first disk's index: the gauge's total
    std::size_t rowCount_ = 0;       // file rows read from it
    std::vector<std::string> folderList_;
    std::vector<std::string> targets_; // per row: its file relative to the restore folder
    std::vector<bool> reached_;        // per row: its stored file was met on a disk
    std::optional<StoredNameIndex> storedNames_;
    std::vector<std::int32_t> seenDisks_;
    int restoreStatus_ = kRunning;
    std::int64_t restoredCount_ = 0;
    std::string referenceId_;
    std::int32_t diskTotal_ = 0;
    std::vector<std::string> notCopied_;
};

void RestoreRun::Run() {
    table_.Discard();
    diskFolder_ = disks_ != nullptr ? disks_->Folder(1) : DiskFolder(fields_.destination);
    restoreRoot_ = AddBackslash(fields_.restoreTo);
    if (!WaitForMedium() || !WaitForSetFiles()) {
        return;
    }
    restoredCount_ = 0;
    indexRowCount_ = CountIndexLines(diskFolder_, host_);
    if (!SizeTable()) {
        return;
    }
    restoreStatus_ = kRunning;
    std::int64_t rows = ReadIndexFile(diskFolder_, table_, folderList_, host_);
    if (rows < 0) {
        return; // the index went away since it was counted: nothing to restore from
    }
    rowCount_ = static_cast<std::size_t>(rows);
    if (rowCount_ == 0) {
        host_.Message(msg::kSetWithoutFiles);
        return;
    }
    if (!RowsAreSafe()) {
        return;
    }
    std::optional<DiskIdentity> identity = ReadIdentity(diskFolder_, host_);
    if (!identity) {
        return;
    }
    referenceId_ = identity->setId;
    diskTotal_ = identity->diskCount;
    CreateFolderTree();
    storedNames_.emplace(table_, rowCount_);
    reached_.assign(rowCount_, false);

    // Disabled across all disks and the questions between them, up to the closing message.
    MainWindowDisabled disabled(host_);
    if (disks_ != nullptr ? TakeFolders() : TakeDisks()) {
        ShowClosingMessage();
    }
}

bool RestoreRun::WaitForMedium() {
    while (DriveFreeBytes(diskFolder_) == -1) {
        host_.Beep();
        if (host_.ShowDialog(DialogKind::Confirmation, msg::kNoDiskInDrive,
                             {Button::Abort, Button::Retry}) != Button::Retry) {
            return false;
        }
    }
    return true;
}

bool RestoreRun::WaitForSetFiles() {
    while (!FileExists(diskFolder_ + kIndexFileName) ||
           !FileExists(diskFolder_ + kIdentityFileName)) {
        host_.Beep();
        if (host_.ShowDialog(DialogKind::Confirmation, msg::kNoSetFiles,
                             {Button::Abort, Button::Retry}) != Button::Retry) {
            return false;
        }
    }
    return true;
}

bool RestoreRun::SizeTable() {
    bool sized = indexRowCount_ >= 0;
    if (sized) {
        try {
            table_.Allocate(static_cast<std::size_t>(indexRowCount_));
        } catch (const std::bad_alloc&) {
            table_.Discard();
            sized = false;
        }
    }
    if (!sized) {
        host_.Beep();
        host_.Warning(msg::kTooManyCopyFilesAlloc);
    }
    return sized;
}

// Every row is checked before anything is written, so a hostile index changes nothing.
bool RestoreRun::RowsAreSafe() {
    targets_.resize(rowCount_);
    for (std::size_t row = 0; row < rowCount_; ++row) {
        std::optional<std::string> target =
            RestorePathOf(table_.Cell(Folder, row), table_.Cell(Name, row));
        if (!target) {
            host_.Beep();
            host_.ShowDialog(
                DialogKind::Error,
                msg::kUnsafeRowBefore + std::to_string(row + 1) + msg::kUnsafeRowAfter +
                    RowText(table_.Cell(Folder, row), table_.Cell(Name, row)) + msg::kUnsafeRowEnd,
                {Button::Ok});
            return false;
        }
        targets_[row] = std::move(*target);
    }
    return true;
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
        std::optional<DiskIdentity> disk = ReadIdentity(diskFolder_, host_);
        if (!disk) {
            return false;
        }
        if (disk->setId != referenceId_) {
            if (!AskToSwap(msg::kOtherSet)) {
                return false;
            }
        } else if (std::find(seenDisks_.begin(), seenDisks_.end(), disk->disk) !=
                   seenDisks_.end()) {
            if (!AskToSwap(msg::kSwapDiskBefore + std::to_string(diskTotal_ - k + 1) +
                           msg::kSwapDiskAfter)) {
                return false;
            }
        } else {
            seenDisks_.push_back(disk->disk);
            if (!RestoreDiskFiles()) {
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

// Folders are taken in their order, each disk once; a folder of another set or of a disk
// already restored is named and passed over. When the folders run out first, the closing
// message names the files none of them held.
bool RestoreRun::TakeFolders() {
    for (std::int32_t n = 1;
         static_cast<std::int64_t>(seenDisks_.size()) < diskTotal_ && !diskFolder_.empty();
         diskFolder_ = disks_->Folder(++n)) {
        std::optional<DiskIdentity> disk = ReadIdentity(diskFolder_, host_);
        if (!disk) {
            return false;
        }
        const char* passedOver = nullptr;
        if (disk->setId != referenceId_) {
            passedOver = msg::kFolderOfOtherSet;
        } else if (std::find(seenDisks_.begin(), seenDisks_.end(), disk->disk) !=
                   seenDisks_.end()) {
            passedOver = msg::kFolderRestoredAlready;
        }
        if (passedOver != nullptr) {
            host_.Beep();
            host_.Warning(passedOver + diskFolder_);
            continue;
        }
        seenDisks_.push_back(disk->disk);
        if (!RestoreDiskFiles()) {
            return false;
        }
        if (restoreStatus_ >= 0) {
            break;
        }
    }
    return true;
}

bool RestoreRun::AskToSwap(const std::string& question) {
    host_.Beep();
    return host_.ShowDialog(DialogKind::Confirmation, question, {Button::Yes, Button::Abort}) ==
           Button::Yes;
}

void RestoreRun::SetUpDialog(ProgressDialog& dialog) {
    dialog.SetOuterSize(350, 240);
    dialog.SetCaption(msg::kRestoreCaption);
    dialog.SetAnimation(Animation::CopyFiles, -1, 8, true);
    const std::string& from = disks_ != nullptr ? diskFolder_ : fields_.destination;
    dialog.SetMessage({8, 72, 330, 50}, TextAlignment::Left,
                      msg::kFromLabel + from + "\n" + msg::kToLabel + restoreRoot_);
    dialog.PlaceGauge(24, 136);
    dialog.SetGauge(GaugePercent(restoredCount_, indexRowCount_));
    dialog.Show();
    dialog.Repaint();
}

// Copies the stored files of the disk in the drive. False when the user chose Abort.
bool RestoreRun::RestoreDiskFiles() {
    const std::int64_t step = ProgressStepFor(indexRowCount_);
    std::unique_ptr<ProgressDialog> dialog = host_.CreateProgressDialog();
    SetUpDialog(*dialog);
    std::vector<FolderEntry> entries;
    // A listing cut short leaves rows unreached; the closing message names them.
    ListFolder(diskFolder_, true, entries);
    for (const FolderEntry& entry : entries) {
        // Folders (the program copy among them), links to folders, special files and the
        // temporary files of a divide cut short are never restored.
        if (entry.kind != EntryKind::File || IsSetFile(entry.name) || IsTemporaryName(entry.name)) {
            continue;
        }
        for (std::int64_t row = storedNames_->First(entry.name); row != StoredNameIndex::kNoRow;
             row = storedNames_->Next(row)) {
            auto r = static_cast<std::size_t>(row);
            reached_[r] = true;
            dialog->SetCurrentFile(targets_[r], entry.size);
            if (!RestoreRow(entry.name, r)) {
                return false;
            }
            host_.ProcessMessages();
            if (dialog->CancelRequested()) {
                restoreStatus_ = kCancelled;
                break;
            }
            if (restoredCount_ % step == 0) {
                dialog->SetGauge(GaugePercent(restoredCount_, indexRowCount_));
            }
        }
        if (restoreStatus_ == kCancelled) {
            break;
        }
    }
    return true;
}

// Copies one stored file to its row's place, asking again while it fails. False on Abort.
bool RestoreRun::RestoreRow(const std::string& storedName, std::size_t row) {
    const std::string source = diskFolder_ + storedName;
    for (;;) {
        const CopyOutcome outcome = CopyFileBelow(
            source, restoreRoot_, targets_[row],
            [this] {
                host_.ProcessMessages();
                return true; // Cancel takes effect after the file in hand
            },
            SourceLinks::Refuse);
        if (outcome.result == CopyResult::Copied) {
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
        const std::string reason = outcome.result == CopyResult::SizeChanged
                                       ? msg::kReasonStoredFileChanged
                                       : FailedCopyReason(outcome, CopySide::Source, diskFolder_);
        host_.Beep();
        Button answer = host_.ShowDialog(DialogKind::Error,
                                         msg::kCopyFailed + std::string(msg::kCopyFrom) + source +
                                             msg::kCopyTo + restoreRoot_ + targets_[row] +
                                             msg::kCopyReason + reason,
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

void RestoreRun::ShowClosingMessage() {
    host_.Beep();
    std::string failures = NameList(msg::kNotCopiedBefore, notCopied_);
    if (restoreStatus_ >= 0) {
        host_.Warning(msg::kCancelled + failures);
        return;
    }
    std::vector<std::string> notFound;
    for (std::size_t row = 0; row < rowCount_; ++row) {
        if (!reached_[row]) {
            notFound.push_back(targets_[row]);
        }
    }
    failures += NameList(msg::kNotFoundBefore, notFound);
    if (failures.empty()) {
        host_.Message(msg::kRestoreFinished);
    } else {
        host_.Warning(msg::kRestoreFinished + failures);
    }
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
