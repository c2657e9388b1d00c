// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recovery/Rebuild.h"

#include "core/CopyReasons.h"
#include "core/Formatted.h"
#include "core/SetChecksums.h"
#include "core/SetFormat.h"
#include "core/rFile/SetReader.h"
#include "core/recovery/ErasureCode.h"
#include "core/recovery/RecoveryFormat.h"
#include "core/recovery/RecoveryMessages.h"
#include "fs/Folders.h"
#include "fs/WorkFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>

namespace arbolink {

namespace {

constexpr std::int64_t kLargestSetFile = std::int64_t{1} << 31;

// A failure that ends the rebuild; what() is the message.
struct RebuildError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One file of a stream: where it lies below a disk folder, and what it must hash to.
struct StreamFile {
    std::string path; // from the disk folder, '/' between folders
    std::int64_t size = 0;
    Sha256Digest digest{};
};

struct SetDisks {
    RecoveryHeader header;
    std::string recoveryFolder;        // a recovery disk's folder: its index and whole map
    std::vector<std::string> folderOf; // stream s (0 to N + K - 1) at s; empty: not given
};

std::string ReadSetFile(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, kLargestSetFile)) {
        throw RebuildError(
            Formatted(msg::kRebuildReadFailed, path.c_str(), CopyFailureReason(errno).c_str()));
    }
    return bytes;
}

// The disks given, sorted by their stream; a folder of another set is passed over.
SetDisks GatherDisks(const std::vector<std::string>& folders) {
    SetDisks set;
    for (const std::string& folder : folders) {
        if (FileExists(folder + kRecoveryHeaderName) && !FileExists(folder + kIdentityFileName)) {
            RecoveryHeader header = ParseRecoveryHeader(ReadSetFile(folder + kRecoveryHeaderName));
            if (set.recoveryFolder.empty()) {
                set.header = header;
                set.recoveryFolder = folder;
                set.folderOf.assign(static_cast<std::size_t>(header.dataCount + header.parityCount),
                                    {});
            }
            if (header.setId == set.header.setId) {
                set.folderOf[static_cast<std::size_t>(header.dataCount + header.disk - 1)] = folder;
            }
        }
    }
    if (set.recoveryFolder.empty()) {
        throw RebuildError(msg::kNoRecoveryDiskGiven);
    }
    for (const std::string& folder : folders) {
        std::optional<DiskIdentity> identity = TryReadIdentity(folder);
        if (identity && identity->setId == set.header.setId &&
            identity->diskCount == set.header.dataCount) {
            set.folderOf[static_cast<std::size_t>(identity->disk - 1)] = folder;
        }
    }
    return set;
}

// The files of data disk n's stream: the program copy on disk 1, then the disk's files the
// map has a digest for, in map order: the files its checksum list names, in its order.
std::vector<StreamFile> DataStreamFiles(const SetDisks& set, const std::vector<MapEntry>& map,
                                        int n) {
    std::vector<StreamFile> files;
    if (n == 1 && set.header.program) {
        const ProgramCopy& program = *set.header.program;
        files.push_back({program.path, program.size, program.digest});
    }
    for (const MapEntry& entry : map) {
        if (entry.disk == n && entry.digest) {
            files.push_back({entry.stored, entry.size, *entry.digest});
        }
    }
    return files;
}

std::vector<StreamFile> ParityStreamFiles(const RecoveryHeader& header, int j) {
    std::vector<StreamFile> files;
    for (const ParityPiece& piece : header.pieces) {
        if (piece.disk == j) {
            files.push_back({piece.name, piece.size, piece.digest});
        }
    }
    return files;
}

// Reads a stream's files one after another, and zeros after its end.
class StreamReader {
public:
    StreamReader(std::string folder, std::vector<StreamFile> files)
        : folder_(std::move(folder)), files_(std::move(files)) {}

    void Read(std::uint8_t* buffer, std::size_t size) {
        std::size_t done = 0;
        while (done < size && (file_ || OpenNext())) {
            const StreamFile& file = files_[current_];
            const auto want = static_cast<std::size_t>(std::min<std::int64_t>(
                static_cast<std::int64_t>(size - done), file.size - offset_));
            std::size_t got = 0;
            if (!file_->ReadAt(buffer + done, want, offset_, got)) {
                Fail(file_->Error());
            }
            if (got != want) {
                Fail(EIO); // shorter than the set recorded
            }
            done += got;
            offset_ += static_cast<std::int64_t>(got);
            if (offset_ == file.size) {
                file_.reset();
            }
        }
        std::memset(buffer + done, 0, size - done);
    }

private:
    // Opens the next file that has bytes; false after the last.
    bool OpenNext() {
        while (next_ < files_.size()) {
            current_ = next_++;
            if (files_[current_].size == 0) {
                continue;
            }
            int error = 0;
            file_ = WorkFile::Open(DiskFilePath(folder_, files_[current_].path), error);
            if (!file_) {
                Fail(error);
            }
            offset_ = 0;
            return true;
        }
        return false;
    }

    [[noreturn]] void Fail(int error) const {
        const std::string path = DiskFilePath(folder_, files_[current_].path);
        throw RebuildError(
            Formatted(msg::kRebuildReadFailed, path.c_str(), CopyFailureReason(error).c_str()));
    }

    std::string folder_;
    std::vector<StreamFile> files_;
    std::size_t next_ = 0;
    std::size_t current_ = 0;
    std::unique_ptr<WorkFile> file_;
    std::int64_t offset_ = 0;
};

// Cuts the stream made into the disk's files, each checked against its digest before it
// gets its name.
class StreamWriter {
public:
    // times: each file's time and mode, in the files' order; empty leaves them as made.
    StreamWriter(std::string folder, std::vector<StreamFile> files, std::vector<FileTimes> times)
        : folder_(std::move(folder)), files_(std::move(files)), times_(std::move(times)) {
        if (!times_.empty() && times_.size() != files_.size()) {
            throw SetFormatError(kRecoveryHeaderName, 0);
        }
    }

    void Write(const std::uint8_t* bytes, std::size_t size) {
        while (size > 0 && next_ < files_.size()) {
            if (!file_) {
                Open();
            }
            const StreamFile& wanted = files_[next_];
            const auto take = static_cast<std::size_t>(
                std::min<std::int64_t>(static_cast<std::int64_t>(size), wanted.size - offset_));
            if (!file_->WriteAt(bytes, take, offset_)) {
                Fail(file_->Error());
            }
            hash_.Update(bytes, take);
            offset_ += static_cast<std::int64_t>(take);
            bytes += take;
            size -= take;
            if (offset_ == wanted.size) {
                Close();
            }
        }
    }

    // Files of no bytes come after the stream's last byte, as they came in it.
    void Finish() {
        while (next_ < files_.size()) {
            if (!file_) {
                Open();
            }
            if (offset_ != files_[next_].size) {
                Fail(EIO);
            }
            Close();
        }
    }

private:
    void Open() {
        const std::string path = DiskFilePath(folder_, files_[next_].path);
        const std::string::size_type slash = path.find_last_of(kPathSeparator);
        const std::string folder = path.substr(0, slash + 1);
        int error = 0;
        if (!CreateFolders(folder) || !(file_ = WorkFile::Create(folder, error))) {
            Fail(error != 0 ? error : errno);
        }
        offset_ = 0;
    }

    void Close() {
        const StreamFile& wanted = files_[next_];
        if (hash_.Finish() != wanted.digest) {
            throw RebuildError(Formatted(msg::kRebuiltMismatch, wanted.path.c_str()));
        }
        if (!times_.empty() && !file_->SetTimes(times_[next_])) {
            Fail(file_->Error());
        }
        if (!file_->KeepAs(DiskFilePath(folder_, wanted.path))) {
            Fail(file_->Error());
        }
        file_.reset();
        ++next_;
    }

    [[noreturn]] void Fail(int error) const {
        throw RebuildError(
            Formatted(msg::kRebuildWriteFailed, folder_.c_str(), CopyFailureReason(error).c_str()));
    }

    std::string folder_;
    std::vector<StreamFile> files_;
    std::vector<FileTimes> times_;
    std::size_t next_ = 0;
    std::unique_ptr<WorkFile> file_;
    std::int64_t offset_ = 0;
    Sha256 hash_;
};

// The data disks given come first: where every data disk is at hand, a parity stream is made
// from them alone.
std::vector<int> ChooseSources(const SetDisks& set, int target) {
    std::vector<int> sources;
    for (std::size_t s = 0; s < set.folderOf.size(); ++s) {
        if (static_cast<int>(s) != target && !set.folderOf[s].empty() &&
            static_cast<int>(sources.size()) < set.header.dataCount) {
            sources.push_back(static_cast<int>(s));
        }
    }
    if (static_cast<int>(sources.size()) < set.header.dataCount) {
        throw RebuildError(
            Formatted(msg::kTooFewDisks, set.header.dataCount, static_cast<int>(sources.size())));
    }
    return sources;
}

std::vector<StreamFile> StreamFilesOf(const SetDisks& set, const std::vector<MapEntry>& map,
                                      int stream) {
    const int n = set.header.dataCount;
    return stream < n ? DataStreamFiles(set, map, stream + 1)
                      : ParityStreamFiles(set.header, stream - n + 1);
}

void MakeStream(const SetDisks& set, const std::vector<MapEntry>& map, int target,
                StreamWriter& writer) {
    const RecoveryHeader& header = set.header;
    const std::vector<int> sources = ChooseSources(set, target);
    std::optional<StreamDecoder> decoder =
        StreamDecoder::For(header.dataCount, header.parityCount, sources, target);
    if (!decoder) {
        throw RebuildError(Formatted(msg::kTooFewDisks, header.dataCount, 0));
    }
    std::vector<StreamReader> readers;
    for (int s : sources) {
        readers.emplace_back(set.folderOf[static_cast<std::size_t>(s)], StreamFilesOf(set, map, s));
    }
    const auto stripe = static_cast<std::size_t>(header.stripe);
    std::vector<std::uint8_t> buffers(stripe * (sources.size() + 1));
    std::vector<std::uint8_t*> in;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        in.push_back(buffers.data() + i * stripe);
    }
    std::uint8_t* out = buffers.data() + sources.size() * stripe;
    for (std::int64_t at = 0; at < header.streamLength; at += header.stripe) {
        const auto length =
            static_cast<std::size_t>(std::min(header.stripe, header.streamLength - at));
        for (std::size_t i = 0; i < readers.size(); ++i) {
            readers[i].Read(in[i], length);
        }
        decoder->Make(in.data(), length, out);
        writer.Write(out, length);
    }
    writer.Finish();
}

void WriteSetFile(const std::string& folder, const char* name, const std::string& bytes) {
    if (!WriteFileAtomically(folder + name, bytes)) {
        throw RebuildError(Formatted(msg::kRebuildWriteFailed, (folder + name).c_str(),
                                     CopyFailureReason(errno).c_str()));
    }
}

// The set files data disk n was written with: its map knew the digests of the disks up to
// its own.
void WriteDataSetFiles(const SetDisks& set, const std::vector<MapEntry>& map, int n,
                       const std::string& out) {
    std::string list;
    for (const StreamFile& file : DataStreamFiles(set, map, n)) {
        AppendChecksumLine(list, file.digest, file.path);
    }
    std::string mapBytes;
    for (const MapEntry& entry : map) {
        const bool known = entry.digest && entry.disk <= n;
        AppendMapLine(mapBytes, entry.stored, entry.disk, entry.size,
                      known ? &*entry.digest : nullptr);
    }
    WriteSetFile(out, kIndexFileName, ReadSetFile(set.recoveryFolder + kIndexFileName));
    WriteSetFile(out, kIdentityFileName, IdentityLine(set.header.setId, n, set.header.dataCount));
    WriteSetFile(out, kChecksumListName, list);
    WriteSetFile(out, kSetMapName, mapBytes);
}

void WriteRecoverySetFiles(const SetDisks& set, int j, const std::string& out) {
    RecoveryHeader header = set.header;
    header.disk = j;
    WriteSetFile(out, kIndexFileName, ReadSetFile(set.recoveryFolder + kIndexFileName));
    WriteSetFile(out, kSetMapName, ReadSetFile(set.recoveryFolder + kSetMapName));
    WriteSetFile(out, kRecoveryHeaderName, RecoveryHeaderBytes(header));
}

void Rebuild(const RebuildRequest& request) {
    const SetDisks set = GatherDisks(request.folders);
    const int n = set.header.dataCount;
    const int streams = n + set.header.parityCount;
    if (request.disk < 1 || request.disk > streams) {
        throw RebuildError(Formatted(msg::kNoSuchDisk, request.disk, streams));
    }
    if (FolderHasEntries(request.out)) {
        throw RebuildError(Formatted(msg::kRebuildTargetNotEmpty, request.out.c_str()));
    }
    if (!CreateFolders(request.out)) {
        throw RebuildError(Formatted(msg::kRebuildWriteFailed, request.out.c_str(),
                                     CopyFailureReason(errno).c_str()));
    }
    const std::vector<MapEntry> map = ParseSetMap(ReadSetFile(set.recoveryFolder + kSetMapName));
    const int target = request.disk - 1;
    const bool timed = target < n && !set.header.times.empty();
    StreamWriter writer(request.out, StreamFilesOf(set, map, target),
                        timed ? set.header.times[static_cast<std::size_t>(target)]
                              : std::vector<FileTimes>{});
    MakeStream(set, map, target, writer);
    if (target < n) {
        WriteDataSetFiles(set, map, request.disk, request.out);
    } else {
        WriteRecoverySetFiles(set, request.disk - n, request.out);
    }
}

} // namespace

bool RebuildDisk(const RebuildRequest& request, std::string& message) {
    try {
        Rebuild(request);
    } catch (const std::runtime_error& error) {
        // A set file out of its form says so itself, naming the file.
        message = error.what();
        return false;
    }
    message = Formatted(msg::kRebuildDone, request.disk, request.out.c_str());
    return true;
}

} // namespace arbolink
