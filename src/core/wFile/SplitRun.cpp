// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/wFile/SplitRun.h"

#include "core/ByteGauge.h"
#include "core/Formatted.h"
#include "core/MediaFollow.h"
#include "core/MediaMessages.h"
#include "core/Progress.h"
#include "core/Quantities.h"
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
#if ARBOLINK_RECOVERY
#include "core/recovery/ParityBuilder.h"
#include "core/recovery/RecoveryDisks.h"
#include "core/recovery/RecoveryMessages.h"
#endif

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
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
        if (!StartParity()) {
            return WriteOutcome::Aborted;
        }
        for (std::int32_t disk = 1; disk <= values_.DiskCount; ++disk) {
            if (!TakeDisk(disk) || !PrepareDisk(disk)) {
                return WriteOutcome::Aborted;
            }
            const FileOutcome outcome = Carried(disk, CopyDisk(disk));
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
        if (values_.RunStatus != kCancelled && !WriteRecoveryDisks()) {
            return WriteOutcome::Aborted;
        }
        return Close();
    }

private:
    // How a disk's writing ended: the copy's outcome, and once the copy went through, the
    // supplier's, which may carry the disk on to a medium of its own (burn it onto a disc).
    FileOutcome Carried(std::int32_t disk, FileOutcome copied) {
        if (copied == FileOutcome::Aborted || copied == FileOutcome::Cancelled ||
            request_.disks == nullptr) {
            return copied;
        }
        switch (request_.disks->DiskWritten(disk)) {
        case SupplierEnd::Aborted:
            return FileOutcome::Aborted;
        case SupplierEnd::Cancelled:
            return FileOutcome::Cancelled;
        case SupplierEnd::GoOn:
            break;
        }
        return copied;
    }

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
        programBytes_ = request_.copyProgram && programRow < values_.Table.RowCount()
                            ? std::max<std::int64_t>(values_.Table.Number(Size, programRow), 0)
                            : 0;
        std::int64_t bytes = programBytes_;
        for (std::size_t r = 0; r < programRow; ++r) {
            bytes += std::max<std::int64_t>(values_.Table.Number(Size, r), 0);
        }
        const std::int64_t files = values_.FileCount + (request_.copyProgram ? 1 : 0);
        // Each disk is read back for the check, or for the parity of recovery disks.
        const std::int64_t passes = request_.verifyAfterWrite || request_.recoveryDisks > 0 ? 2 : 1;
        gauge_.SetTotals(bytes * passes, files * passes);
    }

    bool Ask(const std::string& text, const Buttons& buttons, Button wanted) {
        host_.Beep();
        return host_.ShowDialog(DialogKind::Confirmation, text, buttons) == wanted;
    }

    bool AskForMedium(const std::string& text, const Buttons& buttons, Button wanted) {
        return arbolink::AskForMedium(host_, &follower_, text, buttons, wanted, values_.DestRoot);
    }

    // A drive's disks are swapped by the user on request; a supplier's folders are simply
    // taken. The checks that follow look at whichever folder the disk is. Recovery disk j
    // is the supplier's disk DiskCount + j.
    bool TakeDisk(std::int32_t disk, const std::string& prompt) {
        if (request_.disks == nullptr) {
            return AskForMedium(prompt, {Button::Ok, Button::Abort}, Button::Ok);
        }
        values_.DestRoot = request_.disks->Folder(disk);
        return !values_.DestRoot.empty();
    }

    bool TakeDisk(std::int32_t disk) { return TakeDisk(disk, Formatted(msg::kInsertDisk, disk)); }

    // The clusters disk n takes: planned for a data disk, the same for every recovery disk.
    std::int64_t ClustersOf(std::int32_t disk) const {
        if (disk > values_.DiskCount) {
            return recoveryClusters_;
        }
        const auto entry = static_cast<std::size_t>(disk - 1);
        return entry < values_.DiskUsage.size() ? CellNumber(values_.DiskUsage[entry]) : 0;
    }

    // The first of the three checks the disk in the drive fails, or nullptr. A disk that
    // belongs to a set is told to be swapped before its room is looked at: the disk just
    // written is nearly full, and "not enough room" would send the user for a larger disk.
    const Phrase* DiskProblem(std::int32_t disk) const {
        const std::int64_t freeBytes = DriveFreeBytes(values_.DestRoot);
        if (freeBytes == -1) {
            return &msg::kNoDisk;
        }
        if (FileExists(values_.DestRoot + kIdentityFileName) ||
            FileExists(values_.DestRoot + kRecoveryHeaderName)) {
            return &msg::kSwapDisk;
        }
        const std::int64_t need = ClustersOf(disk);
        const std::int64_t cluster = request_.clusterSize > 0 ? request_.clusterSize : 1;
        const std::int64_t have = freeBytes / cluster + (freeBytes % cluster != 0 ? 1 : 0);
        if (need > have) {
            return &msg::kNotEnoughRoom;
        }
        return nullptr;
    }

    bool CheckDisk(std::int32_t disk) {
        while (const Phrase* problem = DiskProblem(disk)) {
            if (!AskForMedium(*problem, {Button::Abort, Button::Retry}, Button::Retry)) {
                return false;
            }
        }
        return true;
    }

    // Checks the disk and writes its set files: the index, then the disk's own (writeOwn, given
    // the folder). A disk whose set files cannot be written would be refused by every
    // restore, so the user is asked to try again (the checks first, since the disk may have
    // been swapped) or to give up.
    bool PrepareDiskWith(std::int32_t disk,
                         const std::function<bool(const std::string&)>& writeOwn) {
        for (;;) {
            if (!CheckDisk(disk)) {
                return false;
            }
            const std::string& folder = values_.DestRoot;
            // What a killed run left half written goes first: it is no file of the set.
            if (CreateFolders(folder) && RemoveTemporaryFiles(folder) &&
                WriteIndexFile(folder, indexBytes_) && writeOwn(folder)) {
                return true;
            }
            if (!Ask(msg::kDiskUnusable, {Button::Abort, Button::Retry}, Button::Retry)) {
                return false;
            }
        }
    }

    bool PrepareDisk(std::int32_t disk) {
        return PrepareDiskWith(disk, [&](const std::string& folder) {
            return WriteIdentityFile(folder, setId_, disk, values_.DiskCount);
        });
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
            if (outcome == FileOutcome::Cancelled ||
                (!request_.verifyAfterWrite && !BuildsParity())) {
                return outcome;
            }
            const ReadBackEnd end = ReadBack(disk, *dialog);
            if (end != ReadBackEnd::WriteAgain) {
                return AfterReadBack(end, outcome);
            }
            // The disk's files are counted and missed afresh.
            gauge_.Rewind(gaugeBefore, *dialog);
            notCopied_.resize(missesBefore);
        }
    }

    // How a disk's writing ends once its read-back has ended otherwise than asking for the disk
    // to be written again.
    static FileOutcome AfterReadBack(ReadBackEnd end, FileOutcome outcome) {
        return end == ReadBackEnd::Cancelled ? FileOutcome::Cancelled
               : end == ReadBackEnd::Aborted ? FileOutcome::Aborted
                                             : outcome;
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
                programSize_ = FileSizeOf(job.target);
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
                notCopied_.push_back(Formatted(msg::kNameWithReason, folder + kChecksumListName,
                                               msg::kReasonNoChecksums));
                return true;
            }
        }
        return true;
    }

    // Reads every file written onto the disk back from the medium and compares it with the
    // digest taken while it was written; the same reads feed the parity of recovery disks.
    // Without the check asked for, a disk is read for the parity only.
    ReadBackEnd ReadBack(std::int32_t disk, ProgressDialog& dialog) {
        // The gauge goes on with the bytes read; the caption tells the stage.
        dialog.SetCaption(msg::kVerifyingCaption);
        const ReadBackSink sink = ParitySink(disk);
        const std::function<void(const std::string&)> noteTimes = TimesSink(disk);
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
            const bool read = ReadBackDigest(file.target, digest, error, sink, betweenChunks);
            gauge_.End(dialog);
            host_.ProcessMessages();
            if (dialog.CancelRequested()) {
                values_.RunStatus = kCancelled;
                return ReadBackEnd::Cancelled;
            }
            if (noteTimes) {
                noteTimes(file.target);
            }
            if (!read) {
                bad.push_back(
                    Formatted(msg::kNameWithReason, file.source, CopyFailureReason(error)));
            } else if (digest != file.digest) {
                bad.push_back(Formatted(msg::kNameWithReason, file.source, msg::kReasonReadBack));
            }
        }
        EndParity(bad.empty());
        return bad.empty() || !request_.verifyAfterWrite ? ReadBackEnd::Good
                                                         : AskAboutReadBack(bad);
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

#if ARBOLINK_RECOVERY
    // Still building the parity: a disk is then read back for it even without the check.
    bool BuildsParity() const {
        return parity_ != nullptr && parityLost_.empty();
    }

    // The parity's working files, made before the first disk is asked for, when there is
    // room for them. False after the message that says why not.
    bool StartParity() {
        if (request_.recoveryDisks <= 0) {
            return true;
        }
        const std::string folder = RecoveryCacheFolder(request_.recoveryCache);
        const std::int64_t need = std::int64_t{request_.recoveryDisks} *
                                  PlannedStreamLength(values_, request_.copyProgram);
        int error = ENOENT;
        if (!folder.empty() && MakeRecoveryCacheFolder(folder, error)) {
            const std::int64_t freeBytes = DriveFreeBytes(folder);
            if (freeBytes >= 0 && freeBytes < need) {
                host_.Beep();
                host_.Warning(Formatted(msg::kRecoveryCacheTooSmall, folder, ByteCountText(need),
                                        ByteCountText(freeBytes)));
                return false;
            }
            parity_ =
                ParityBuilder::Create(folder, values_.DiskCount, request_.recoveryDisks, error);
        }
        if (!parity_) {
            host_.Beep();
            host_.Warning(RecoveryCacheUnusableText(folder, error));
            return false;
        }
        return true;
    }

    // Feeds what the read-back of the disk reads into the parity; nothing once it is lost.
    ReadBackSink ParitySink(std::int32_t disk) {
        if (!parity_ || !parityLost_.empty()) {
            return {};
        }
        parity_->BeginStream(disk - 1);
        return [this](const char* bytes, std::size_t size) {
            if (parityLost_.empty() && !parity_->Feed(bytes, size)) {
                parityLost_ = CopyFailureReason(parity_->Error());
            }
        };
    }

    // Notes the time and mode of each file the disk's read-back reads, in its stream's order,
    // for the recovery header: a rebuilt file gets those its stored file has. A disk read
    // afresh is noted afresh.
    std::function<void(const std::string&)> TimesSink(std::int32_t disk) {
        if (!BuildsParity()) {
            return {};
        }
        streamTimes_.resize(static_cast<std::size_t>(values_.DiskCount));
        std::vector<FileTimes>& times = streamTimes_[static_cast<std::size_t>(disk - 1)];
        times.clear();
        return [this, &times](const std::string& target) {
            FileTimes read;
            if (!ReadFileTimes(target, read) && parityLost_.empty()) {
                parityLost_ = CopyFailureReason(errno);
            }
            times.push_back(read);
        };
    }

    // A disk that read back otherwise than it was written has fed the parity wrong bytes:
    // the recovery disks would rebuild them, so none are made.
    void EndParity(bool readWell) {
        if (!parity_ || !parityLost_.empty()) {
            return;
        }
        if (!readWell) {
            parityLost_ = msg::kReasonParityReadBack;
        } else if (!parity_->EndStream()) {
            parityLost_ = CopyFailureReason(parity_->Error());
        }
    }

    // The header every recovery disk carries, its pieces described from the working files.
    bool DescribeRecovery(RecoveryHeader& header, int& error) {
        header.setId = setId_;
        header.dataCount = values_.DiskCount;
        header.parityCount = request_.recoveryDisks;
        header.stripe = parity_->StripeSize();
        header.streamLength = parity_->StreamLength();
        if (programDigest_) {
            header.program = ProgramCopy{ProgramCopyPath(values_), programSize_, *programDigest_};
        }
        header.times = streamTimes_;
        std::vector<WorkFile*> streams;
        for (int j = 0; j < header.parityCount; ++j) {
            streams.push_back(&parity_->Parity(j));
        }
        return DescribePieces(streams, header.streamLength, header.stripe, header.pieces, error);
    }

    // The recovery disks, asked for after the data disks like them. False on Abort.
    bool WriteRecoveryDisks() {
        if (!parity_) {
            return true;
        }
        RecoveryHeader header;
        int error = 0;
        if (parityLost_.empty() && !DescribeRecovery(header, error)) {
            parityLost_ = CopyFailureReason(error);
        }
        if (!parityLost_.empty()) {
            notCopied_.push_back(
                Formatted(msg::kNameWithReason, msg::kNoRecoveryDisks, parityLost_));
            parity_.reset();
            return true;
        }
        recoveryClusters_ =
            RecoveryDiskClusters(values_, header.streamLength, header.stripe, header.parityCount,
                                 static_cast<std::int64_t>(setId_.size()));
        for (header.disk = 1; header.disk <= header.parityCount; ++header.disk) {
            const std::string prompt = Formatted(msg::kInsertRecoveryDisk, header.disk);
            const std::int32_t disk = values_.DiskCount + header.disk;
            if (!TakeDisk(disk, prompt) || !PrepareRecoveryDisk(disk)) {
                return false;
            }
            const FileOutcome outcome = Carried(disk, CopyRecoveryDisk(header));
            if (outcome == FileOutcome::Aborted) {
                return false;
            }
            if (outcome == FileOutcome::Cancelled) {
                values_.RunStatus = kCancelled;
                break;
            }
            if (request_.ejectWritten) {
                EjectDisk();
            }
        }
        parity_.reset();
        return true;
    }

    // The checks of a data disk, then the index and the whole map.
    bool PrepareRecoveryDisk(std::int32_t disk) {
        return PrepareDiskWith(disk, [&](const std::string& folder) {
            return WriteFileAtomically(folder + kSetMapName, SetMapBytes());
        });
    }

    FileOutcome CopyRecoveryDisk(const RecoveryHeader& header) {
        MainWindowDisabled disabled(host_);
        std::unique_ptr<ProgressDialog> dialog = host_.CreateProgressDialog();
        const std::size_t missesBefore = notCopied_.size();
        for (;;) {
            SetUpCopyDialog(*dialog);
            dialog->SetCaption(msg::kRecoveryCaption);
            dialog->Show();
            dialog->Repaint();
            const FileOutcome outcome = WriteRecoveryFiles(header, *dialog);
            if (outcome == FileOutcome::Aborted || outcome == FileOutcome::Cancelled) {
                return outcome;
            }
            Flush();
            if (!request_.verifyAfterWrite) {
                return outcome;
            }
            const ReadBackEnd end = ReadBackPieces(header, *dialog);
            if (end != ReadBackEnd::WriteAgain) {
                return AfterReadBack(end, outcome);
            }
            notCopied_.resize(missesBefore);
        }
    }

    // A file of the recovery disk that cannot be written: Abort, Retry or Ignore, which
    // names it in the closing message.
    Button AskAboutRecoveryFile(const std::string& path, int error) {
        host_.Beep();
        const Button answer = host_.ShowDialog(
            DialogKind::Error,
            Formatted(msg::kRecoveryFileNotWritten, path.c_str(), CopyFailureReason(error).c_str()),
            {Button::Abort, Button::Retry, Button::Ignore});
        if (answer == Button::Ignore) {
            notCopied_.push_back(path);
        }
        return answer;
    }

    // The disk's pieces, cut from its parity stream, then its header.
    FileOutcome WriteRecoveryFiles(const RecoveryHeader& header, ProgressDialog& dialog) {
        WorkFile& parity = parity_->Parity(header.disk - 1);
        auto betweenChunks = [&] {
            host_.ProcessMessages();
            return !dialog.CancelRequested();
        };
        std::int64_t offset = 0;
        for (const ParityPiece& piece : header.pieces) {
            if (piece.disk != header.disk) {
                continue;
            }
            const std::string path = values_.DestRoot + piece.name;
            dialog.SetCurrentFile(path, piece.size);
            for (;;) {
                int error = 0;
                const PieceCopy copy =
                    CopyPiece(parity, offset, piece.size, path, betweenChunks, error);
                if (copy == PieceCopy::Cancelled) {
                    return FileOutcome::Cancelled;
                }
                if (copy == PieceCopy::Copied) {
                    break;
                }
                const Button answer = AskAboutRecoveryFile(path, error);
                if (answer == Button::Abort) {
                    return FileOutcome::Aborted;
                }
                if (answer == Button::Ignore) {
                    break;
                }
            }
            offset += piece.size;
            dialog.SetGauge(GaugePercent(offset, header.streamLength));
        }
        const std::string path = values_.DestRoot + kRecoveryHeaderName;
        while (!WriteFileAtomically(path, RecoveryHeaderBytes(header))) {
            const Button answer = AskAboutRecoveryFile(path, errno);
            if (answer == Button::Abort) {
                return FileOutcome::Aborted;
            }
            if (answer == Button::Ignore) {
                break;
            }
        }
        return FileOutcome::Copied;
    }

    // Compares every piece of the disk, read back from the medium, with the working file it
    // was copied from.
    ReadBackEnd ReadBackPieces(const RecoveryHeader& header, ProgressDialog& dialog) {
        dialog.SetCaption(msg::kVerifyingCaption);
        WorkFile& parity = parity_->Parity(header.disk - 1);
        auto betweenChunks = [&] {
            host_.ProcessMessages();
            return !dialog.CancelRequested();
        };
        std::vector<std::string> bad;
        std::int64_t offset = 0;
        for (const ParityPiece& piece : header.pieces) {
            if (piece.disk != header.disk) {
                continue;
            }
            const std::string path = values_.DestRoot + piece.name;
            int error = 0;
            const PieceCheck check =
                ComparePiece(parity, offset, piece.size, path, betweenChunks, error);
            offset += piece.size;
            if (check == PieceCheck::Failed) {
                bad.push_back(Formatted(msg::kNameWithReason, path, CopyFailureReason(error)));
            } else if (check == PieceCheck::Differs) {
                bad.push_back(Formatted(msg::kNameWithReason, path, msg::kReasonReadBack));
            }
            host_.ProcessMessages();
            if (check == PieceCheck::Cancelled || dialog.CancelRequested()) {
                values_.RunStatus = kCancelled;
                return ReadBackEnd::Cancelled;
            }
        }
        return bad.empty() ? ReadBackEnd::Good : AskAboutReadBack(bad);
    }
#else
    // Built without the erasure code: the commands refuse recovery disks before a run.
    bool BuildsParity() const {
        return false;
    }
    bool StartParity() {
        return true;
    }
    ReadBackSink ParitySink(std::int32_t) {
        return {};
    }
    std::function<void(const std::string&)> TimesSink(std::int32_t) {
        return {};
    }
    void EndParity(bool) {}
    bool WriteRecoveryDisks() {
        return true;
    }
#endif

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
            notCopied_.push_back(
                Formatted(msg::kNameWithReason, values_.DestRoot, CopyFailureReason(error)));
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
    std::string NotCopiedList(const Phrase& header) const {
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
            const Phrase& header =
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
    std::int64_t programSize_ = 0;
    std::int64_t recoveryClusters_ = 0; // what each recovery disk takes
#if ARBOLINK_RECOVERY
    std::unique_ptr<ParityBuilder> parity_; // while recovery disks are to be made
    std::string parityLost_;                // why they cannot be made; empty while they can
    std::vector<std::vector<FileTimes>> streamTimes_; // per data disk, for the recovery header
#endif
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
