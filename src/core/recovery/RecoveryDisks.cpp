// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recovery/RecoveryDisks.h"

#include "core/divide/DiskAssignment.h"
#include "core/recovery/ErasureCode.h"
#include "fs/Folders.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>

namespace arbolink {

namespace {

constexpr std::size_t kChunk = std::size_t{4} << 20;
// Identity texts of our own are shorter; one of another program's may be longer.
constexpr std::int64_t kSetIdBound = 256;

std::int64_t ClustersFor(std::int64_t bytes, std::int64_t cluster) {
    return bytes / cluster + (bytes % cluster != 0 ? 1 : 0);
}

} // namespace

std::int64_t PlannedStreamLength(const PlanningValues& values, bool copyProgram) {
    std::vector<std::int64_t> lengths(static_cast<std::size_t>(values.DiskCount) + 1, 0);
    for (std::size_t r = 0; r < static_cast<std::size_t>(values.FileCount); ++r) {
        const std::int64_t disk = values.Table.Number(Disk, r);
        if (disk >= 1 && disk <= values.DiskCount) {
            lengths[static_cast<std::size_t>(disk)] += values.Table.Number(Size, r);
        }
    }
    const auto program = static_cast<std::size_t>(values.FileCount);
    if (copyProgram && values.DiskCount >= 1 && program < values.Table.RowCount()) {
        lengths[1] += values.Table.Number(Size, program);
    }
    return *std::max_element(lengths.begin(), lengths.end());
}

std::int64_t RecoveryDiskClusters(const PlanningValues& values, std::int64_t length,
                                  std::int64_t stripe, int parityCount, std::int64_t setIdSize) {
    const std::int64_t cluster = values.ClusterSize > 0 ? values.ClusterSize : 1;
    std::int64_t clusters = values.IndexReserve + values.SetFilesReserve;
    for (std::int64_t size : PieceSizes(length, stripe)) {
        clusters += ClustersFor(size, cluster);
    }
    const std::string program = ProgramCopyPath(values);
    const std::int64_t times = TimesLineBound() * (values.FileCount + 1);
    return clusters + ClustersFor(RecoveryHeaderBound(length, stripe, parityCount, setIdSize,
                                                      static_cast<std::int64_t>(program.size())) +
                                      times,
                                  cluster);
}

std::int64_t RecoveryReserveClusters(std::int64_t capacity, std::int32_t clusterSize,
                                     int parityCount) {
    const std::int64_t cluster = clusterSize > 0 ? clusterSize : 1;
    const std::int64_t length = capacity * cluster;
    // The smallest stripe gives the most pieces, and each piece may end in a part cluster.
    const std::int64_t stripe = StripeSizeFor(kMaxSetStreams - parityCount, parityCount);
    const auto pieces = static_cast<std::int64_t>(PieceSizes(length, stripe).size());
    return pieces +
           ClustersFor(RecoveryHeaderBound(length, stripe, parityCount, kSetIdBound, kSetIdBound),
                       cluster);
}

namespace {

// Reads size bytes of the parity from offset, chunk after chunk, and hands each to take with
// the bytes before it; take answers false to stop. False, error set, when the parity cannot
// be read; true also when take stopped.
bool ReadParityRange(WorkFile& parity, std::int64_t offset, std::int64_t size, int& error,
                     const std::function<bool(const char*, std::size_t, std::int64_t)>& take) {
    std::vector<char> buffer(kChunk);
    for (std::int64_t done = 0; done < size;) {
        const auto want = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(buffer.size()), size - done));
        std::size_t got = 0;
        if (!parity.ReadAt(buffer.data(), want, offset + done, got) || got != want) {
            error = got != want && parity.Error() == 0 ? EIO : parity.Error();
            return false;
        }
        if (!take(buffer.data(), got, done)) {
            return true;
        }
        done += static_cast<std::int64_t>(got);
    }
    return true;
}

} // namespace

namespace {

bool DescribeStream(WorkFile& parity, int disk, std::int64_t length, std::int64_t stripe,
                    std::vector<ParityPiece>& pieces, int& error) {
    std::int64_t offset = 0;
    int number = 0;
    for (std::int64_t size : PieceSizes(length, stripe)) {
        Sha256 hash;
        if (!ReadParityRange(parity, offset, size, error,
                             [&](const char* bytes, std::size_t got, std::int64_t) {
                                 hash.Update(bytes, got);
                                 return true;
                             })) {
            return false;
        }
        pieces.push_back({disk, ParityPieceName(++number), size, hash.Finish()});
        offset += size;
    }
    return true;
}

} // namespace

bool DescribePieces(const std::vector<WorkFile*>& parity, std::int64_t length, std::int64_t stripe,
                    std::vector<ParityPiece>& pieces, int& error) {
    const std::size_t count = parity.size();
    std::vector<std::vector<ParityPiece>> described(count);
    std::vector<int> errors(count, 0);
    std::vector<char> read(count, 0); // not vector<bool>: two threads write its elements
    auto lane = [&](std::size_t first) {
        for (std::size_t j = first; j < count; j += 2) {
            read[j] = DescribeStream(*parity[j], static_cast<int>(j + 1), length, stripe,
                                     described[j], errors[j])
                          ? 1
                          : 0;
        }
    };
    // Hashing is most of the work: every other stream is hashed on a thread of its own, so
    // that two processors share it. Without a thread, this one does it all.
    std::thread second;
    if (count > 1) {
        try {
            second = std::thread(lane, 1);
        } catch (const std::system_error&) {
            lane(1);
        }
    }
    lane(0);
    if (second.joinable()) {
        second.join();
    }
    for (std::size_t j = 0; j < count; ++j) {
        if (read[j] == 0) {
            error = errors[j];
            return false;
        }
        pieces.insert(pieces.end(), described[j].begin(), described[j].end());
    }
    return true;
}

PieceCopy CopyPiece(WorkFile& parity, std::int64_t offset, std::int64_t size,
                    const std::string& path, const std::function<bool()>& betweenChunks,
                    int& error) {
    // A recovery disk's only piece, on the file system of the working files (a folder staged
    // beside the cache): the working file itself becomes the piece, and its bytes are not
    // written a second time.
    if (offset == 0 && parity.Length() == size && parity.LinkAs(path)) {
        return PieceCopy::Copied;
    }
    const std::string::size_type slash = path.find_last_of('/');
    std::unique_ptr<WorkFile> piece = WorkFile::Create(path.substr(0, slash + 1), error);
    if (!piece) {
        return PieceCopy::Failed;
    }
    PieceCopy stopped = PieceCopy::Copied;
    const bool read = ReadParityRange(parity, offset, size, error,
                                      [&](const char* bytes, std::size_t got, std::int64_t done) {
                                          if (!piece->WriteAt(bytes, got, done)) {
                                              error = piece->Error();
                                              stopped = PieceCopy::Failed;
                                          } else if (!betweenChunks()) {
                                              stopped = PieceCopy::Cancelled;
                                          }
                                          return stopped == PieceCopy::Copied;
                                      });
    if (!read) {
        return PieceCopy::Failed;
    }
    if (stopped != PieceCopy::Copied) {
        return stopped;
    }
    if (!piece->KeepAs(path)) {
        error = piece->Error();
        return PieceCopy::Failed;
    }
    return PieceCopy::Copied;
}

PieceCheck ComparePiece(WorkFile& parity, std::int64_t offset, std::int64_t size,
                        const std::string& path, const std::function<bool()>& betweenChunks,
                        int& error) {
    std::unique_ptr<WorkFile> piece = WorkFile::Open(path, error);
    if (!piece) {
        return PieceCheck::Failed;
    }
    // A piece linked from the working file is that file: its bytes are the range itself, and
    // reading the medium twice to compare them with themselves could find nothing.
    if (offset == 0 && piece->Length() == size && piece->SameFileAs(parity)) {
        return PieceCheck::Same;
    }
    piece->DropCached();
    std::vector<char> held(kChunk);
    PieceCheck check = PieceCheck::Same;
    const bool read = ReadParityRange(
        parity, offset, size, error, [&](const char* bytes, std::size_t got, std::int64_t done) {
            std::size_t have = 0;
            if (!piece->ReadAt(held.data(), got, done, have)) {
                error = piece->Error();
                check = PieceCheck::Failed;
            } else if (have != got || std::memcmp(held.data(), bytes, got) != 0) {
                check = PieceCheck::Differs;
            } else if (!betweenChunks()) {
                check = PieceCheck::Cancelled;
            }
            return check == PieceCheck::Same;
        });
    if (!read) {
        return PieceCheck::Failed;
    }
    // A piece that goes on beyond the parity's bytes differs from them too.
    std::size_t beyond = 0;
    if (check == PieceCheck::Same && !piece->ReadAt(held.data(), 1, size, beyond)) {
        error = piece->Error();
        return PieceCheck::Failed;
    }
    return beyond != 0 ? PieceCheck::Differs : check;
}

} // namespace arbolink
