// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What writing recovery disks needs besides the code: their room, and their pieces cut from
// the parity streams.

#include "core/PlanningValues.h"
#include "core/recovery/RecoveryFormat.h"
#include "fs/WorkFile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace arbolink {

// The longest data disk's stream of the plan: its files' planned bytes, with the program
// copy on disk 1 when it is copied. Every parity stream is at most this long.
std::int64_t PlannedStreamLength(const PlanningValues& values, bool copyProgram);

// Clusters a recovery disk takes for a stream of length bytes: its pieces, the index, the
// map and the header. setIdSize: the bytes of the set's identity text.
std::int64_t RecoveryDiskClusters(const PlanningValues& values, std::int64_t length,
                                  std::int64_t stripe, int parityCount, std::int64_t setIdSize);

// Clusters planning keeps free on every disk so that a recovery disk, whose stream can be as
// long as the fullest data disk's files, also has room for its header and the rounding of
// its pieces. capacity: clusters of a disk.
std::int64_t RecoveryReserveClusters(std::int64_t capacity, std::int32_t clusterSize,
                                     int parityCount);

// The pieces of the parity streams (parity[j] is that of recovery disk j + 1), each of length
// bytes, named and with their digests read from the working files, added to pieces disk after
// disk. False, error set, when one cannot be read.
bool DescribePieces(const std::vector<WorkFile*>& parity, std::int64_t length, std::int64_t stripe,
                    std::vector<ParityPiece>& pieces, int& error);

enum class PieceCopy { Copied, Cancelled, Failed };

// Copies size bytes from offset of the working file into the file path, under a temporary
// name until complete; a working file of CreateUnnamed that is the whole piece is linked
// there instead where the file system allows it. betweenChunks answers false to stop
// (Cancel). Failed sets error.
PieceCopy CopyPiece(WorkFile& parity, std::int64_t offset, std::int64_t size,
                    const std::string& path, const std::function<bool()>& betweenChunks,
                    int& error);

enum class PieceCheck { Same, Differs, Cancelled, Failed };

// Reads the file path back from its medium and compares it with size bytes from offset of the
// working file: a comparison of the bytes costs less than their digest. A piece that CopyPiece
// linked from the whole working file is that file, and is Same without a read. betweenChunks
// answers false to stop (Cancel). Failed, error set, when either cannot be read.
PieceCheck ComparePiece(WorkFile& parity, std::int64_t offset, std::int64_t size,
                        const std::string& path, const std::function<bool()>& betweenChunks,
                        int& error);

} // namespace arbolink
