// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a recovery disk holds besides its parity, byte by byte.
//
// A recovery disk's folder holds the set's index "_index.@txt" and its whole map
// "_index.@map" (the last data disk's), the recovery header "_Recovery.@rs" and the disk's
// parity stream cut into pieces "_Parity001.@rs", "_Parity002.@rs", ... It holds no identity
// file "_Disk.@ID": a reader that knows only data disks passes it over.
//
// The header is text like the other set files (fields quoted where text, CR LF):
//   "Arbolink recovery",1
//   "<SetId>",<j>,<N>,<K>               this is recovery disk j of K, for N data disks
//   <stripe>,<stream length>
//   "program","<path>",<size>,"<sha256>"  the program copy on disk 1, when there is one
//   "parity",<j>,"<piece>",<size>,"<sha256>"  every piece of every recovery disk, in order
//   "times",<n>,<seconds>,<nanoseconds>,<mode>  every file of data disk n's stream, in order
// Every recovery disk's header is the same but for j, so any one of them rebuilds another.
// The times lines give a rebuilt file the modification time (seconds since 1970 UTC and the
// nanoseconds of the second) and permission bits its stored file had; a header of version 1
// has none, and its rebuilt files take the time they were made.

#include "core/SetFormat.h"
#include "fs/Sha256.h"
#include "fs/WorkFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace arbolink {

inline constexpr int kRecoveryFormatVersion = 2;
// A piece stays below FAT's file limit (4 GiB - 1), whatever medium the disk goes onto.
inline constexpr std::int64_t kLargestFileOnAnyDisk = (std::int64_t{4} << 30) - 1;

// The name of a parity piece, piece counting from 1: "_Parity001.@rs".
std::string ParityPieceName(int piece);
// Whether the name is one a recovery disk's own files take (letter case ignored).
bool IsRecoveryFileName(std::string_view name);
// The largest piece: whole stripes below kLargestFileOnAnyDisk.
std::int64_t ParityPieceSize(std::int64_t stripe);

struct ParityPiece {
    int disk = 0; // the recovery disk, 1 to K
    std::string name;
    std::int64_t size = 0;
    Sha256Digest digest{};
};

struct ProgramCopy {
    std::string path; // from the disk folder, '/' between folders
    std::int64_t size = 0;
    Sha256Digest digest{};
};

struct RecoveryHeader {
    std::string setId;
    int disk = 0; // this recovery disk, 1 to K
    int dataCount = 0;
    int parityCount = 0;
    std::int64_t stripe = 0;
    std::int64_t streamLength = 0;
    std::optional<ProgramCopy> program;
    std::vector<ParityPiece> pieces;
    // Per data disk (1 to N at 0 to N - 1): its stream's files, in order. Empty for a header
    // of version 1.
    std::vector<std::vector<FileTimes>> times;
};

std::string RecoveryHeaderBytes(const RecoveryHeader& header);
// Throws SetFormatError naming the header and the line for anything but the form above, or
// numbers that do not fit together (pieces that do not add up to the stream length).
RecoveryHeader ParseRecoveryHeader(std::string_view bytes);

// The file at path (from a disk folder, '/' between folders) below the folder prefix.
std::string DiskFilePath(const std::string& folder, const std::string& path);

// The header of the recovery disk in the folder (a folder prefix). Nothing when the folder
// holds a data disk's identity file, no header, or one that cannot be read or parsed.
std::optional<RecoveryHeader> TryReadRecoveryHeader(const std::string& folder);

// The pieces of one recovery disk, cut from a stream of length bytes.
std::vector<std::int64_t> PieceSizes(std::int64_t length, std::int64_t stripe);

// The most bytes a times line takes: what planning keeps free for each file of the set.
std::int64_t TimesLineBound();

// Room a header can take at most for streams of at most length bytes, besides its times lines:
// what planning keeps free for it.
std::int64_t RecoveryHeaderBound(std::int64_t length, std::int64_t stripe, int parityCount,
                                 std::int64_t setIdSize, std::int64_t programPathSize);

} // namespace arbolink
