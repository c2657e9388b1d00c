// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Making again the files a restore could not bring back, from the disks of the set at hand:
// the sound files of its data disks and its recovery disks, taken one at a time, in any order.
//
// A lost file lies at a place of its data disk's stream. Only the streams' bytes at those
// places are read. Each data disk's sound files there are added, times their coefficients,
// into one working file per recovery disk; each recovery disk's parity there is added into
// its own. Addition in GF(2^8) is exclusive or, so the order of the disks does not matter.
// Where as many recovery disks have been added as there are data disks whose bytes are not
// known, their working files hold those bytes times a matrix that is inverted to make them.

#include "core/SetChecksums.h"
#include "core/recovery/ErasureCode.h"
#include "core/recovery/RecoveryFormat.h"
#include "fs/BetweenChunks.h"
#include "fs/WorkFile.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace arbolink {

// A file that could not be made again, and why.
struct UnmadeFile {
    std::size_t row = 0;
    std::string reason;
};

class LostFiles {
public:
    // Plans the rebuild of the index rows lostRows (in the index's order) from the header and
    // the whole map of a recovery disk, with its working files in cache (a folder prefix).
    // Rows the map holds no digest for were never written and are given up at once. Null,
    // message set, when the map does not match the index's rowCount rows or the cache cannot
    // take the working files.
    static std::unique_ptr<LostFiles> Plan(const RecoveryHeader& header,
                                           const std::vector<MapEntry>& map, std::size_t rowCount,
                                           const std::vector<std::size_t>& lostRows,
                                           const std::string& cache, std::string& message);

    enum class Added { Used, NotNeeded, OtherSet, Cancelled, Failed };

    // Reads the disk in folder (a folder prefix): a data disk's sound files at the lost places,
    // or a recovery disk's parity there. NotNeeded: a disk of the set that adds nothing now
    // (used already, or holding nothing there); OtherSet: no disk of this set; Failed: a file
    // could not be read or the working files written, message says which and why.
    // betweenChunks is told the bytes read so far and answers false to stop (Cancelled).
    Added Add(const std::string& folder, const BetweenChunks& betweenChunks, std::string& message);

    // Whether every lost place has as many recovery disks added as it has unknown data disks.
    bool Complete() const;
    // The disks that would still help, by number (data 1 to N, recovery N + j).
    std::vector<int> StillUseful() const;
    // Bytes a disk's Add reads at most; the bytes Make makes.
    std::int64_t PlacesLength() const { return length_; }
    std::int64_t LostBytes() const;
    int DataCount() const { return header_.dataCount; }

    // Makes every lost file that the disks added allow, checks it against its digest, gives it
    // its stored file's time and mode, and hands it to place as a file at the path, which is
    // removed after. Files that cannot be made go to unmade with the reason. betweenChunks is
    // told the bytes made so far and answers false to stop; false when stopped.
    bool Make(const std::function<void(std::size_t row, const std::string& path)>& place,
              std::vector<UnmadeFile>& unmade, const BetweenChunks& betweenChunks);

    // The files given up while planning.
    const std::vector<UnmadeFile>& GivenUp() const { return givenUp_; }

    struct File {
        std::size_t row = 0;
        int disk = 0;            // 1 to N
        std::int64_t offset = 0; // in its disk's stream
        std::int64_t size = 0;
        Sha256Digest digest{};
        bool lost = false;
        bool hasTimes = false;
        FileTimes times;
        std::string path; // from the disk folder, '/' between folders
    };
    // A stretch of a stream's places that lost files take, and where it lies in the working
    // files.
    struct Place {
        std::int64_t start = 0;
        std::int64_t end = 0;
        std::int64_t at = 0;
    };
    // Sorted, separate stretches of the working files' bytes.
    using Spans = std::vector<std::pair<std::int64_t, std::int64_t>>;

private:
    LostFiles(RecoveryHeader header) : header_(std::move(header)), encoder_(Encoder()) {}
    ParityEncoder Encoder() const { return {header_.dataCount, header_.parityCount}; }

    Added AddData(int disk, const std::string& folder, const BetweenChunks& betweenChunks,
                  std::string& message);
    Added AddParity(int j, const std::string& folder, const BetweenChunks& betweenChunks,
                    std::string& message);
    // Reads [start, start + size) of the file's stream bytes into the working files at the
    // lost places, through add(buffer, length, working-file offset).
    bool ReadPlaces(const std::string& path, std::int64_t streamStart, std::int64_t size,
                    const std::function<bool(const std::uint8_t*, std::size_t, std::int64_t)>& add,
                    std::int64_t& done, const BetweenChunks& betweenChunks, std::string& message);
    bool AddIntoWorking(int stream, const std::uint8_t* bytes, std::size_t size, std::int64_t at);

    RecoveryHeader header_;
    ParityEncoder encoder_;
    std::vector<File> files_;   // every stream file of every data disk, disk by disk
    std::vector<Place> places_; // sorted by start
    std::int64_t length_ = 0;   // of each working file
    std::vector<std::unique_ptr<WorkFile>> working_; // per recovery disk
    std::vector<Spans> known_;                       // per stream: working-file bytes known
    std::vector<bool> added_;                        // per stream
    std::vector<UnmadeFile> givenUp_;
    std::string cache_;
};

} // namespace arbolink
