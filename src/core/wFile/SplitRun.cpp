// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/wFile/SplitRun.h"

#include "core/ByteGauge.h"
#include "core/MediaFollow.h"
#include "core/MediaMessages.h"
#include "core/SetChecksums.h"
#include "core/SetFormat.h"
#include "core/divide/DiskAssignment.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/Planning.h"
#include "core/wFile/SetWriter.h"
#include "core/wFile/WriteMessages.h"
#include "fs/Copy.h"
#include "fs/Drives.h"
#include "fs/Folders.h"
#include "fs/ReadBack.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <vector>

namespace arbolink {

namespace {

constexpr std::size_t kListedNotCopied = 20;

// What became of one file the run tried to copy.
enum class FileOutcome { Copied, Ignored, Cancelled, Aborted };

// How reading a written disk back ended.
enum class ReadBackEnd { Good, WriteAgain, Ignored, Cancelled, Aborted };

std::string Formatted(const char* pattern, ...) {
    std::va_list args;
    va_start(args, pattern);
    std::va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(nullptr, 0, pattern, args);
    va_end(args);
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), pattern, again);
    va_end(again);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

// One file to copy: where from, where to, and the size planning counted (-1: not checked).
struct CopyJob {
    std::string source;
    std::string target;
    std::int64_t plannedSize = -1;
};

// A file the run wrote onto the disk in hand, with the digest of what was written.
struct WrittenFile {
    std::string source;
    std::string target;
    std::int64_t size = 0; // as planned: its share of the gauge
    Sha256Digest digest{};
};

class SplitRun {
public:
    SplitRun(PlanningValues& values, Host& host, const WriteRequest& request)
        : values_(values), host_(host), request_(request), setId_(NewSetId(std::time(nullptr))),
          follower_(request.disks == nullptr ? request.media : nullptr, values.DestRoot) {}

    WriteOutcome Run() {
        GroupRowsByDisk();
        digests_.resize(static_cast<std::size_t>(values_.FileCount));
        hashed_.assign(static_cast<std::size_t>(values_.FileCount), false);
        indexBytes_ = IndexFileBytes(values_);
        SetGaugeTotals();
        for (std::int32_t disk = 1; disk <= values_.DiskCount; ++disk) {
            if (!TakeDisk(disk) || !PrepareDisk(disk)) {
                return WriteOutcome::Aborted;
            }
            FileOutcome outcome = CopyDisk(disk);
            if (outcome == FileOutcome::Aborted) {
                return WriteOutcome::Aborted;
            }
            if (outcome == FileOutcome::Cancelled) {
                values_.RunStatus = kCancelled;
                break;
            }
            if (request_.ejectWritten) {
                EjectDisk();
            }
        }
        return Close();
    }

private:
    // The file rows of every disk, in table order, so that a disk's copy walks its own rows
    // only: a set of many disks would otherwise walk the whole table once per disk.
    void GroupRowsByDisk() {
        rowsOfDisk_.assign(static_cast<std::size_t>(values_.DiskCount) + 1, {});
        for (std::int64_t row = 0; row < values_.FileCount; ++row) {
            std::int64_t disk = values_.Table.Number(Disk, static_cast<std::size_t>(row));
            if (disk >= 1 && disk <= values_.DiskCount) {
                rowsOfDisk_[static_cast<std::size_t>(disk)].push_back(row);
            }
        }
    }

    // The gauge counts every byte the run moves: each file's bytes once as it is written and,
    // when disks are read back, once more as they are read.
    void SetGaugeTotals() {
        const auto programRow = static_cast<std::size_t>(values_.FileCount);
        programBytes_ =
            request_.copyProgram && programRow < values_.Table.RowCount()
                ? std::max<std::int64_t>(CellNumber(values_.Table.Cell(Size, programRow)), 0)
                : 0;
        std::int64_t bytes = programBytes_;
        for (std::size_t r = 0; r < programRow; ++r) {
            bytes += std::max<std::int64_t>(CellNumber(values_.Table.Cell(Size, r)), 0);
        }
        const std::int64_t files = values_.FileCount + (request_.copyProgram ? 1 : 0);
        const std::int64_t passes = request_.verifyAfterWrite ? 2 : 1;
        gauge_.SetTotals(bytes * passes, files * passes);
    }

    bool Ask(const std::string& text, const Buttons& buttons, Button wanted) {
        host_.Beep();
        return host_.ShowDialog(DialogKind::Confirmation, text, buttons) == wanted;
    }

    bool AskForMedium(const std::string& text, const Buttons& buttons, Button wanted) {
        return arbolink::AskForMedium(host_, &follower_, text, buttons, wanted, values_.DestRoot);
    }

    bool PromptForDisk(std::int32_t disk) {
        return AskForMedium(std::to_string(disk) + msg::kInsertDisk, {Button::Ok, Button::Abort},
                            Button::Ok);
    }

    // A drive's disks are swapped by the user on request; a supplier's folders are simply
    // taken. The checks that follow look at whichever folder the disk is.
    bool TakeDisk(std::int32_t disk) {
        if (request_.disks == nullptr) {
            return PromptForDisk(disk);
        }
        values_.DestRoot = request_.disks->Folder(disk);
        return !values_.DestRoot.empty();
    }

    // The first of the three checks the disk in the drive fails, or nullptr. A disk that
    // belongs to a set is told to be swapped before its room is looked at: the disk just
    // written is nearly full, and "not enough room" would send the user for a larger disk.
    const char* DiskProblem(std::int32_t disk) const {
        const std::int64_t freeBytes = DriveFreeBytes(values_.DestRoot);
        if (freeBytes == -1) {
            return msg::kNoDisk;
        }
        if (FileExists(values_.DestRoot + kIdentityFileName)) {
            return msg::kSwapDisk;
        }
        const auto entry = static_cast<std::size_t>(disk - 1);
        const std::int64_t need =
            entry < values_.DiskUsage.size() ? CellNumber(values_.DiskUsage[entry]) : 0;
        const std::int64_t cluster = request_.clusterSize > 0 ? request_.clusterSize : 1;
        const std::int64_t have = freeBytes / cluster + (freeBytes % cluster != 0 ? 1 : 0);
        if (need > have) {
            return msg::kNotEnoughRoom;
        }
        return nullptr;
    }

    bool CheckDisk(std::int32_t disk) {
        while (const char* problem = DiskProblem(disk)) {
            if (!AskForMedium(problem, {Button::Abort, Button::Retry}, Button::Retry)) {
                return false;
            }
        }
        return true;
    }

    // Checks the disk and writes its set files. A disk whose set files cannot be written
    // would be refused by every restore, so the user is asked to try again (the checks
    // first, since the disk may have been swapped) or to give up.
    bool PrepareDisk(std::int32_t disk) {
        for (;;) {
            if (!CheckDisk(disk)) {
                return false;
            }
            const std::string& folder = values_.DestRoot;
            // What a killed run left half written goes first: it is no file of the set.
            if (CreateFolders(folder) && RemoveTemporaryFiles(folder) &&
                WriteIndexFile(folder, indexBytes_) &&
                WriteIdentityFile(folder, setId_, disk, values_.DiskCount)) {
                return true;
            }
            if (!Ask(msg::kDiskUnusable, {Button::Abort, Button::Retry}, Button::Retry)) {
                return false;
            }
        }
    }

    void SetUpCopyDialog(ProgressDialog& dialog) {
        dialog.SetOuterSize(350, 240);
        dialog.SetCaption(msg::kCopyingCaption);
        dialog.SetAnimation(Animation::CopyFiles, -1, 8, true);
        std::string text = std::string(msg::kCopyingFrom) + values_.SourceRoot + "\n" +
                           msg::kCopyingTo + host_.ReadFields().destination;
        if (!follower_.Note().empty()) {
            text += '\n';
            text += follower_.Note();
            dialog.SetNote(follower_.Note());
        }
        dialog.SetMessage({8, 72, 330, 50}, TextAlignment::Left, text);
        dialog.PlaceGauge(24, 136);
        gauge_.Show(dialog); // where the run is: the gauge goes on across the disks
    }

    // One disk's copy behind its own progress dialog; the disk is flushed, and read back, while
    // the dialog is still up, since that can take a while on a slow stick. A disk that reads
    // back wrong is written again when the user asks for it: its share of the gauge is done
    // again, so the gauge goes back to where the disk began.
    FileOutcome CopyDisk(std::int32_t disk) {
        MainWindowDisabled disabled(host_);
        std::unique_ptr<ProgressDialog> dialog = host_.CreateProgressDialog();
        const ByteGauge::Mark gaugeBefore = gauge_.Done();
        const std::size_t missesBefore = notCopied_.size();
        for (;;) {
            SetUpCopyDialog(*dialog);
            dialog->Show();
            dialog->Repaint();
            written_.clear();
            FileOutcome outcome = CopyFiles(disk, *dialog);
            if (outcome == FileOutcome::Aborted || !WriteChecksumFiles(disk)) {
                return FileOutcome::Aborted;
            }
            Flush();
            if (outcome == FileOutcome::Cancelled || !request_.verifyAfterWrite) {
                return outcome;
            }
            switch (ReadBack(*dialog)) {
            case ReadBackEnd::Good:
            case ReadBackEnd::Ignored:
                return outcome;
            case ReadBackEnd::Cancelled:
                return FileOutcome::Cancelled;
            case ReadBackEnd::Aborted:
                return FileOutcome::Aborted;
            case ReadBackEnd::WriteAgain:
                // The disk's files are counted and missed afresh.
                gauge_.Rewind(gaugeBefore, *dialog);
                notCopied_.resize(missesBefore);
                break;
            }
        }
    }

    FileOutcome CopyFiles(std::int32_t disk, ProgressDialog& dialog) {
        if (disk == 1 && request_.copyProgram) {
            CreateFolders(values_.DestRoot + kProgramFolderName);
            Sha256Digest digest{};
            const CopyJob job = ProgramJob();
            FileOutcome outcome = Copy(job, programBytes_, dialog, digest);
            if (outcome == FileOutcome::Aborted || outcome == FileOutcome::Cancelled) {
                return outcome;
            }
            if (outcome == FileOutcome::Copied) {
                programDigest_ = digest;
                written_.push_back({job.source, job.target, programBytes_, digest});
            }
        }
        for (std::int64_t row : rowsOfDisk_[static_cast<std::size_t>(disk)]) {
            const auto r = static_cast<std::size_t>(row);
            const CopyJob& job = RowJob(row);
            FileOutcome outcome = Copy(job, job.plannedSize, dialog, digests_[r]);
            if (outcome == FileOutcome::Aborted || outcome == FileOutcome::Cancelled) {
                return outcome;
            }
            if (outcome == FileOutcome::Copied) {
                hashed_[r] = true;
                written_.push_back({job.source, job.target, job.plannedSize, digests_[r]});
            }
            host_.ProcessMessages();
            if (dialog.CancelRequested()) {
                return FileOutcome::Cancelled;
            }
        }
        return FileOutcome::Copied;
    }

    // The disk's checksum list: the program copy first, then the files copied onto it.
    std::string ChecksumListBytes(std::int32_t disk) const {
        std::string bytes;
        if (disk == 1 && programDigest_) {
            AppendChecksumLine(bytes, *programDigest_, ProgramCopyPath(values_));
        }
        for (std::int64_t row : rowsOfDisk_[static_cast<std::size_t>(disk)]) {
            const auto r = static_cast<std::size_t>(row);
            if (hashed_[r]) {
                AppendChecksumLine(bytes, digests_[r], values_.Table.Cell(StoredName, r));
            }
        }
        return bytes;
    }

    // Every file of the set, with the digests of the files copied so far.
    std::string SetMapBytes() const {
        std::string bytes;
        const FileTable& table = values_.Table;
        for (std::size_t r = 0; r < static_cast<std::size_t>(values_.FileCount); ++r) {
            AppendMapLine(bytes, table.Cell(StoredName, r),
                          static_cast<std::int32_t>(table.Number(Disk, r)), table.Number(Size, r),
                          hashed_[r] ? &digests_[r] : nullptr);
        }
        return bytes;
    }

    // Written after the disk's files, also when the run was cancelled half way: what is on
    // the disk can then be checked all the same. False on Abort.
    bool WriteChecksumFiles(std::int32_t disk) {
        const std::string& folder = values_.DestRoot;
        while (!WriteFileAtomically(folder + kChecksumListName, ChecksumListBytes(disk)) ||
               !WriteFileAtomically(folder + kSetMapName, SetMapBytes())) {
            host_.Beep();
            const Button answer = host_.ShowDialog(
                DialogKind::Error, Formatted(msg::kChecksumsNotWritten, folder.c_str()),
                {Button::Abort, Button::Retry, Button::Ignore});
            if (answer == Button::Abort) {
                return false;
            }
            if (answer == Button::Ignore) {
                notCopied_.push_back(folder + kChecksumListName + "（" + msg::kReasonNoChecksums +
                                     "）");
                return true;
            }
        }
        return true;
    }

    // Reads every file written onto the disk back from the medium and compares it with the
    // digest taken while it was written.
    ReadBackEnd ReadBack(ProgressDialog& dialog) {
        // The gauge goes on with the bytes read; the caption tells the stage.
        dialog.SetCaption(msg::kVerifyingCaption);
        auto betweenChunks = [&](std::int64_t bytesRead) {
            gauge_.Within(bytesRead, dialog);
            host_.ProcessMessages();
            return !dialog.CancelRequested();
        };
        std::vector<std::string> bad;
        for (const WrittenFile& file : written_) {
            Sha256Digest digest{};
            int error = 0;
            dialog.SetCurrentFile(file.source, file.size);
            gauge_.Begin(file.size);
            const bool read = ReadBackDigest(file.target, digest, error, betweenChunks);
            gauge_.End(dialog);
            host_.ProcessMessages();
            if (dialog.CancelRequested()) {
                values_.RunStatus = kCancelled;
                return ReadBackEnd::Cancelled;
            }
            if (!read) {
                bad.push_back(file.source + "（" + CopyFailureReason(error) + "）");
            } else if (digest != file.digest) {
                bad.push_back(file.source + "（" + msg::kReasonReadBack + "）");
            }
        }
        return bad.empty() ? ReadBackEnd::Good : AskAboutReadBack(bad);
    }

    ReadBackEnd AskAboutReadBack(const std::vector<std::string>& bad) {
        std::string text = msg::kReadBackMismatch;
        for (std::size_t i = 0; i < bad.size() && i < kListedNotCopied; ++i) {
            text += '\n';
            text += bad[i];
        }
        if (bad.size() > kListedNotCopied) {
            text += '\n';
            text += Formatted(msg::kNotCopiedMore, static_cast<int>(bad.size() - kListedNotCopied));
        }
        host_.Beep();
        switch (host_.ShowDialog(DialogKind::Error, text,
                                 {Button::Abort, Button::Retry, Button::Ignore})) {
        case Button::Retry:
            return ReadBackEnd::WriteAgain;
        case Button::Ignore:
            notCopied_.insert(notCopied_.end(), bad.begin(), bad.end());
            return ReadBackEnd::Ignored;
        default:
            return ReadBackEnd::Aborted;
        }
    }

    // The row's job, built in rowJob_: its paths keep their room from one row to the next.
    const CopyJob& RowJob(std::int64_t row) {
        const auto r = static_cast<std::size_t>(row);
        const FileTable& table = values_.Table;
        rowJob_.source.assign(values_.SourceRoot);
        AppendFromIndexFolder(rowJob_.source, table.Cell(Folder, r));
        rowJob_.source += table.Cell(Name, r);
        rowJob_.target.assign(values_.DestRoot);
        rowJob_.target += table.Cell(StoredName, r);
        rowJob_.plannedSize = table.Number(Size, r);
        return rowJob_;
    }

    CopyJob ProgramJob() const {
        const std::string folder = values_.DestRoot + kProgramFolderName;
        // The program row names the file; it is empty when planning found no program file,
        // and the copy then fails on the missing source.
        const auto row = static_cast<std::size_t>(values_.FileCount);
        const std::string& name =
            row < values_.Table.RowCount() ? values_.Table.Cell(Name, row) : std::string();
        return {values_.ProgramFile, AddBackslash(folder) + name, -1};
    }

    // Copies one file, its digest into digest, moving the gauge by its share of bytes; a
    // failure is shown with Abort, Retry and Ignore until it is settled. A file ignored does
    // not count: a run that leaves files behind ends short of 100.
    FileOutcome Copy(const CopyJob& job, std::int64_t share, ProgressDialog& dialog,
                     Sha256Digest& digest) {
        auto betweenChunks = [&](std::int64_t bytesCopied) {
            gauge_.Within(bytesCopied, dialog);
            host_.ProcessMessages();
            return !dialog.CancelRequested();
        };
        dialog.SetCurrentFile(job.source, job.plannedSize);
        gauge_.Begin(share);
        for (;;) {
            const CopyOutcome outcome = CopyFileTo(job.source, job.target, betweenChunks,
                                                   job.plannedSize, SourceLinks::Follow, {&digest});
            if (outcome.result == CopyResult::Copied) {
                gauge_.End(dialog);
                return FileOutcome::Copied;
            }
            if (outcome.result == CopyResult::Cancelled) {
                return FileOutcome::Cancelled;
            }
            // A changed size: its room on the disk was planned for the old size. A failure
            // in writing is the disk's, also when the disk was taken out.
            const std::string reason =
                outcome.result == CopyResult::SizeChanged
                    ? std::string(msg::kReasonSizeChanged)
                    : FailedCopyReason(outcome, CopySide::Target, values_.DestRoot);
            host_.Beep();
            Button answer = host_.ShowDialog(
                DialogKind::Error,
                Formatted(msg::kSplitCopyFailed, job.source.c_str(), reason.c_str()),
                {Button::Abort, Button::Retry, Button::Ignore});
            if (answer == Button::Abort) {
                return FileOutcome::Aborted;
            }
            if (answer == Button::Ignore) {
                notCopied_.push_back(job.source);
                gauge_.Drop();
                return FileOutcome::Ignored;
            }
        }
    }

    // The user takes the disk out after it is written: what the system still holds in its
    // cache must be on the medium by then.
    void Flush() {
        int error = 0;
        if (FolderExists(values_.DestRoot) && !FlushFileSystem(values_.DestRoot, error)) {
            notCopied_.push_back(values_.DestRoot + "（" + CopyFailureReason(error) + "）");
        }
    }

    // Takes the written disk out of its drive, so that the user can pull it; one that does
    // not come out is left to the user's hands, and the run goes on.
    void EjectDisk() {
        std::string reason;
        if (follower_.EjectCurrent(reason) == DriveFollower::EjectEnd::Failed) {
            host_.Beep();
            host_.Warning(Formatted(msg::kEjectFailed, reason.c_str()));
        }
    }

    // The header pattern takes the count; then one path a line, the first ones only.
    std::string NotCopiedList(const char* header) const {
        std::string text = Formatted(header, static_cast<int>(notCopied_.size()));
        for (std::size_t i = 0; i < notCopied_.size() && i < kListedNotCopied; ++i) {
            text += '\n';
            text += notCopied_[i];
        }
        // Appended after the line break rather than "\n" + the text, on which GCC 12 at -O3
        // warns falsely (-Wrestrict).
        if (notCopied_.size() > kListedNotCopied) {
            text += '\n';
            text += Formatted(msg::kNotCopiedMore,
                              static_cast<int>(notCopied_.size() - kListedNotCopied));
        }
        return text;
    }

    // A run that left files behind has not carried the whole source: the files it could
    // not copy, then what the walk left out, so that the count of both is in the last word.
    std::string MissesList() const {
        std::string text =
            notCopied_.empty() ? std::string() : NotCopiedList(msg::kNotCopiedHeader);
        if (!values_.Skipped.empty()) {
            const char* header =
                notCopied_.empty() ? msg::kCopyFinishedNotCarried : msg::kNotCarriedAlso;
            text += Formatted(header, static_cast<int>(values_.Skipped.size()));
            text += NotCarriedLines(values_.Skipped);
        }
        return text;
    }

    WriteOutcome Close() {
        if (values_.RunStatus == kCancelled) {
            // A cancelled run has not finished: the misses follow the cancel message.
            host_.Warning(notCopied_.empty()
                              ? std::string(msg::kCancelled)
                              : msg::kCancelled + NotCopiedList(msg::kNotCopiedAfterCancel));
            return WriteOutcome::Cancelled;
        }
        host_.Beep();
        if (!notCopied_.empty() || !values_.Skipped.empty()) {
            host_.Warning(MissesList());
            return WriteOutcome::FinishedWithMisses;
        }
        host_.Message(msg::kCopyFinished);
        return WriteOutcome::Finished;
    }

    PlanningValues& values_;
    Host& host_;
    const WriteRequest& request_;
    const std::string setId_;
    DriveFollower follower_;
    ByteGauge gauge_;               // over all disks
    std::int64_t programBytes_ = 0; // the program copy's share of the gauge
    std::vector<std::vector<std::int64_t>> rowsOfDisk_;
    CopyJob rowJob_;
    std::vector<Sha256Digest> digests_; // per file row, of what was written
    std::vector<bool> hashed_;          // per file row: copied, its digest known
    std::optional<Sha256Digest> programDigest_;
    std::vector<WrittenFile> written_; // onto the disk in hand, for its read-back
    std::string indexBytes_;           // the same on every disk
    std::vector<std::string> notCopied_;
};

} // namespace

WriteOutcome WriteDisks(PlanningValues& values, Host& host, const WriteRequest& request) {
    return SplitRun(values, host, request).Run();
}

std::string SetIdAt(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %d:%02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::string NewSetId(std::time_t moment) {
    std::random_device entropy;
    const std::uint64_t tag = (std::uint64_t{entropy()} << 32) ^ entropy();
    char text[24];
    std::snprintf(text, sizeof text, " #%016llx", static_cast<unsigned long long>(tag));
    return SetIdAt(moment) + text;
}

} // namespace arbolink
