// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recovery/LostFiles.h"

#include "core/CopyReasons.h"
#include "core/Formatted.h"
#include "core/Quantities.h"
#include "core/SetFormat.h"
#include "core/rFile/SetReader.h"
#include "core/recovery/RecoveryMessages.h"
#include "fs/Drives.h"
#include "fs/Folders.h"
#include "fs/Sha256.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <unordered_map>

namespace arbolink {

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;
constexpr std::size_t kNoRow = static_cast<std::size_t>(-1);

using Spans = LostFiles::Spans;

// Adds [start, end) to the spans, joining those it meets.
void AddSpan(Spans& spans, std::int64_t start, std::int64_t end) {
    if (start >= end) {
        return;
    }
    auto at = std::lower_bound(spans.begin(), spans.end(), std::make_pair(start, start));
    if (at != spans.begin() && std::prev(at)->second >= start) {
        --at;
    }
    auto last = at;
    while (last != spans.end() && last->first <= end) {
        start = std::min(start, last->first);
        end = std::max(end, last->second);
        ++last;
    }
    at = spans.erase(at, last);
    spans.insert(at, {start, end});
}

// Whether [start, end), which no span's end cuts, lies in the spans.
bool Covers(const Spans& spans, std::int64_t start) {
    auto at = std::upper_bound(spans.begin(), spans.end(),
                               std::make_pair(start, std::numeric_limits<std::int64_t>::max()));
    return at != spans.begin() && std::prev(at)->second > start;
}

// One piece of the working files between boundaries: the same streams are known all over it.
struct Segment {
    std::int64_t start = 0; // in the working files
    std::int64_t end = 0;
    std::int64_t streamStart = 0; // where start lies in the streams
    std::vector<int> lostData;    // data streams not known there
    std::vector<int> parity;      // parity streams known there, 0 to K - 1
};

} // namespace

std::unique_ptr<LostFiles> LostFiles::Plan(const RecoveryHeader& header,
                                           const std::vector<MapEntry>& map, std::size_t rowCount,
                                           const std::vector<std::size_t>& lostRows,
                                           const std::string& cache, std::string& message) {
    if (map.size() != rowCount) {
        message = msg::kRecoveryMapMismatch;
        return nullptr;
    }
    std::unique_ptr<LostFiles> lost(new LostFiles(header));
    lost->cache_ = cache;
    std::vector<bool> isLost(rowCount, false);
    for (std::size_t row : lostRows) {
        isLost[row] = true;
        const MapEntry& entry = map[row];
        if (!entry.digest || entry.disk < 1 || entry.disk > header.dataCount) {
            lost->givenUp_.push_back({row, msg::kReasonNeverWritten});
        }
    }
    // The streams' files, disk by disk, as the divide fed them to the parity.
    const auto n = static_cast<std::size_t>(header.dataCount);
    std::vector<std::vector<std::size_t>> rowsOf(n);
    for (std::size_t row = 0; row < map.size(); ++row) {
        if (map[row].digest && map[row].disk >= 1 && map[row].disk <= header.dataCount) {
            rowsOf[static_cast<std::size_t>(map[row].disk - 1)].push_back(row);
        }
    }
    lost->known_.assign(n + static_cast<std::size_t>(header.parityCount), {});
    lost->added_.assign(lost->known_.size(), false);
    std::vector<std::int64_t> streamEnd(n, 0);
    for (std::size_t d = 0; d < n; ++d) {
        std::vector<File> files;
        if (d == 0 && header.program) {
            files.push_back({kNoRow,
                             1,
                             0,
                             header.program->size,
                             header.program->digest,
                             false,
                             false,
                             {},
                             header.program->path});
        }
        for (std::size_t row : rowsOf[d]) {
            files.push_back({row,
                             static_cast<int>(d + 1),
                             0,
                             map[row].size,
                             *map[row].digest,
                             isLost[row],
                             false,
                             {},
                             map[row].stored});
        }
        if (!header.times.empty() && header.times[d].size() != files.size()) {
            message = SetFormatError(kRecoveryHeaderName, 0).what();
            return nullptr;
        }
        std::int64_t offset = 0;
        for (std::size_t k = 0; k < files.size(); ++k) {
            files[k].offset = offset;
            offset += files[k].size;
            if (!header.times.empty()) {
                files[k].hasTimes = true;
                files[k].times = header.times[d][k];
            }
            lost->files_.push_back(files[k]);
        }
        streamEnd[d] = offset;
    }
    // The places: every lost file's bytes, in stream order, joined where they meet.
    Spans places;
    for (const File& file : lost->files_) {
        if (file.lost) {
            AddSpan(places, file.offset, file.offset + file.size);
        }
    }
    for (const auto& [start, end] : places) {
        lost->places_.push_back({start, end, lost->length_});
        lost->length_ += end - start;
    }
    // A data stream's zeros past its end are known from the start.
    for (std::size_t d = 0; d < n; ++d) {
        for (const Place& place : lost->places_) {
            const std::int64_t from = std::max(place.start, streamEnd[d]);
            if (from < place.end) {
                AddSpan(lost->known_[d], place.at + from - place.start,
                        place.at + place.end - place.start);
            }
        }
    }
    const std::int64_t needed = header.parityCount * lost->length_ + lost->LostBytes();
    const std::int64_t free = DriveFreeBytes(cache);
    if (free >= 0 && free < needed) {
        message = Formatted(msg::kRecoveryCacheTooSmall, cache, ByteCountText(needed),
                            ByteCountText(free));
        return nullptr;
    }
    for (int j = 0; j < header.parityCount; ++j) {
        int error = 0;
        std::unique_ptr<WorkFile> working = WorkFile::Create(cache, error);
        if (!working || !working->RemoveName()) {
            error = working ? working->Error() : error;
            message = Formatted(msg::kRecoveryCacheUnusable, cache.c_str(),
                                CopyFailureReason(error).c_str());
            return nullptr;
        }
        lost->working_.push_back(std::move(working));
    }
    return lost;
}

std::int64_t LostFiles::LostBytes() const {
    std::int64_t bytes = 0;
    for (const File& file : files_) {
        bytes += file.lost ? file.size : 0;
    }
    return bytes;
}

LostFiles::Added LostFiles::Add(const std::string& folder, const BetweenChunks& betweenChunks,
                                std::string& message) {
    try {
        std::optional<DiskIdentity> identity = TryReadIdentity(folder);
        if (identity) {
            return identity->setId == header_.setId && identity->diskCount == header_.dataCount
                       ? AddData(identity->disk, folder, betweenChunks, message)
                       : Added::OtherSet;
        }
        const std::optional<RecoveryHeader> header = TryReadRecoveryHeader(folder);
        return header && header->setId == header_.setId && header->dataCount == header_.dataCount &&
                       header->parityCount == header_.parityCount
                   ? AddParity(header->disk, folder, betweenChunks, message)
                   : Added::OtherSet;
    } catch (const SetFormatError& error) {
        message = error.what();
        return Added::Failed;
    }
}

bool LostFiles::AddIntoWorking(int stream, const std::uint8_t* bytes, std::size_t size,
                               std::int64_t at) {
    const int n = header_.dataCount;
    const bool data = stream < n;
    const std::size_t first = data ? 0 : static_cast<std::size_t>(stream - n);
    const std::size_t count = data ? working_.size() : 1;
    std::vector<std::uint8_t> buffers(count * size);
    std::vector<std::uint8_t*> parity;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t* buffer = buffers.data() + i * size;
        std::size_t got = 0;
        if (!working_[first + i]->ReadAt(buffer, size, at, got)) {
            return false;
        }
        std::memset(buffer + got, 0, size - got); // not written yet: zeros
        parity.push_back(buffer);
    }
    if (data) {
        encoder_.Add(stream, bytes, size, parity.data());
    } else {
        for (std::size_t b = 0; b < size; ++b) {
            parity[0][b] ^= bytes[b];
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (!working_[first + i]->WriteAt(parity[i], size, at)) {
            return false;
        }
    }
    return true;
}

bool LostFiles::ReadPlaces(
    const std::string& path, std::int64_t streamStart, std::int64_t size,
    const std::function<bool(const std::uint8_t*, std::size_t, std::int64_t)>& add,
    std::int64_t& done, const BetweenChunks& betweenChunks, std::string& message) {
    std::unique_ptr<WorkFile> file;
    std::vector<std::uint8_t> buffer(kChunk);
    const std::int64_t streamEnd = streamStart + size;
    auto place =
        std::upper_bound(places_.begin(), places_.end(), streamStart,
                         [](std::int64_t offset, const Place& p) { return offset < p.end; });
    for (; place != places_.end() && place->start < streamEnd; ++place) {
        const std::int64_t from = std::max(place->start, streamStart);
        const std::int64_t to = std::min(place->end, streamEnd);
        for (std::int64_t at = from; at < to;) {
            int error = 0;
            if (!file && !(file = WorkFile::Open(path, error))) {
                message = Formatted(msg::kRebuildReadFailed, path.c_str(),
                                    CopyFailureReason(error).c_str());
                return false;
            }
            const auto want = static_cast<std::size_t>(
                std::min<std::int64_t>(static_cast<std::int64_t>(kChunk), to - at));
            std::size_t got = 0;
            if (!file->ReadAt(buffer.data(), want, at - streamStart, got) || got != want) {
                error = got != want && file->Error() == 0 ? EIO : file->Error();
                message = Formatted(msg::kRebuildReadFailed, path.c_str(),
                                    CopyFailureReason(error).c_str());
                return false;
            }
            if (!add(buffer.data(), want, place->at + at - place->start)) {
                message = Formatted(msg::kRecoveryCacheUnusable, cache_.c_str(),
                                    CopyFailureReason(errno).c_str());
                return false;
            }
            at += static_cast<std::int64_t>(want);
            done += static_cast<std::int64_t>(want);
            if (betweenChunks && !betweenChunks(done)) {
                message.clear();
                return false;
            }
        }
    }
    return true;
}

LostFiles::Added LostFiles::AddData(int disk, const std::string& folder,
                                    const BetweenChunks& betweenChunks, std::string& message) {
    const auto stream = static_cast<std::size_t>(disk - 1);
    if (added_[stream]) {
        return Added::NotNeeded;
    }
    added_[stream] = true;
    bool used = false;
    std::int64_t done = 0;
    for (const File& file : files_) {
        if (file.disk != disk || file.lost || file.size == 0) {
            continue;
        }
        auto add = [&](const std::uint8_t* bytes, std::size_t size, std::int64_t at) {
            used = true;
            // Only bytes added count as known: a file that fails half way leaves the rest
            // unknown, and the working files stay true to what is known.
            const bool added = AddIntoWorking(disk - 1, bytes, size, at);
            if (added) {
                AddSpan(known_[stream], at, at + static_cast<std::int64_t>(size));
            }
            return added;
        };
        if (!ReadPlaces(DiskFilePath(folder, file.path), file.offset, file.size, add, done,
                        betweenChunks, message)) {
            return message.empty() ? Added::Cancelled : Added::Failed;
        }
    }
    return used ? Added::Used : Added::NotNeeded;
}

LostFiles::Added LostFiles::AddParity(int j, const std::string& folder,
                                      const BetweenChunks& betweenChunks, std::string& message) {
    const auto stream = static_cast<std::size_t>(header_.dataCount + j - 1);
    if (added_[stream]) {
        return Added::NotNeeded;
    }
    added_[stream] = true;
    std::int64_t offset = 0;
    std::int64_t done = 0;
    for (const ParityPiece& piece : header_.pieces) {
        if (piece.disk != j) {
            continue;
        }
        auto add = [&](const std::uint8_t* bytes, std::size_t size, std::int64_t at) {
            const bool added = AddIntoWorking(static_cast<int>(stream), bytes, size, at);
            if (added) {
                AddSpan(known_[stream], at, at + static_cast<std::int64_t>(size));
            }
            return added;
        };
        if (!ReadPlaces(folder + piece.name, offset, piece.size, add, done, betweenChunks,
                        message)) {
            return message.empty() ? Added::Cancelled : Added::Failed;
        }
        offset += piece.size;
    }
    return length_ > 0 ? Added::Used : Added::NotNeeded;
}

namespace {

// Hands each segment of the working files to take, in order.
void Sweep(const std::vector<LostFiles::Place>& places, const std::vector<Spans>& known,
           int dataCount, const std::function<bool(const Segment&)>& take) {
    std::vector<std::int64_t> cuts;
    for (const LostFiles::Place& place : places) {
        cuts.push_back(place.at);
        cuts.push_back(place.at + place.end - place.start);
    }
    for (const Spans& spans : known) {
        for (const auto& [start, end] : spans) {
            cuts.push_back(start);
            cuts.push_back(end);
        }
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    std::size_t place = 0;
    for (std::size_t c = 0; c + 1 < cuts.size(); ++c) {
        Segment segment;
        segment.start = cuts[c];
        segment.end = cuts[c + 1];
        while (place < places.size() &&
               places[place].at + places[place].end - places[place].start <= segment.start) {
            ++place;
        }
        if (place == places.size()) {
            break;
        }
        segment.streamStart = places[place].start + segment.start - places[place].at;
        for (std::size_t s = 0; s < known.size(); ++s) {
            const bool isKnown = Covers(known[s], segment.start);
            if (static_cast<int>(s) < dataCount && !isKnown) {
                segment.lostData.push_back(static_cast<int>(s));
            } else if (static_cast<int>(s) >= dataCount && isKnown) {
                segment.parity.push_back(static_cast<int>(s) - dataCount);
            }
        }
        if (!take(segment)) {
            return;
        }
    }
}

} // namespace

bool LostFiles::Complete() const {
    bool complete = true;
    Sweep(places_, known_, header_.dataCount, [&](const Segment& segment) {
        complete = segment.lostData.size() <= segment.parity.size();
        return complete;
    });
    return complete;
}

std::vector<int> LostFiles::StillUseful() const {
    std::vector<int> disks;
    if (Complete()) {
        return disks;
    }
    for (int d = 1; d <= header_.dataCount; ++d) {
        const bool holds = std::any_of(files_.begin(), files_.end(), [&](const File& file) {
            if (file.disk != d || file.lost || file.size == 0) {
                return false;
            }
            auto place = std::upper_bound(
                places_.begin(), places_.end(), file.offset,
                [](std::int64_t offset, const Place& p) { return offset < p.end; });
            return place != places_.end() && place->start < file.offset + file.size;
        });
        if (holds && !added_[static_cast<std::size_t>(d - 1)]) {
            disks.push_back(d);
        }
    }
    for (int j = 1; j <= header_.parityCount; ++j) {
        if (!added_[static_cast<std::size_t>(header_.dataCount + j - 1)]) {
            disks.push_back(header_.dataCount + j);
        }
    }
    return disks;
}

namespace {

// A lost file being made: its bytes so far.
struct Making {
    std::unique_ptr<WorkFile> file;
    Sha256 hash;
    std::int64_t written = 0;
};

} // namespace

bool LostFiles::Make(const std::function<void(std::size_t row, const std::string& path)>& place,
                     std::vector<UnmadeFile>& unmade, const BetweenChunks& betweenChunks) {
    unmade.insert(unmade.end(), givenUp_.begin(), givenUp_.end());
    // The lost files of each data disk in stream order, and how far each disk's are done.
    const auto n = static_cast<std::size_t>(header_.dataCount);
    std::vector<std::vector<std::size_t>> lostOf(n);
    for (std::size_t f = 0; f < files_.size(); ++f) {
        if (files_[f].lost) {
            lostOf[static_cast<std::size_t>(files_[f].disk - 1)].push_back(f);
        }
    }
    std::vector<std::size_t> next(n, 0);
    std::vector<bool> failed(files_.size(), false);
    std::vector<bool> finished(files_.size(), false);
    std::unordered_map<std::size_t, Making> making;

    auto fail = [&](std::size_t f, const std::string& reason) {
        if (!failed[f]) {
            failed[f] = true;
            making.erase(f);
            unmade.push_back({files_[f].row, reason});
        }
    };
    auto finish = [&](std::size_t f) {
        Making& made = making[f];
        const File& file = files_[f];
        if (made.hash.Finish() != file.digest) {
            fail(f, msg::kReasonRebuiltMismatch);
            return;
        }
        if (file.hasTimes && !made.file->SetTimes(file.times)) {
            fail(f, CopyFailureReason(made.file->Error()));
            return;
        }
        place(file.row, made.file->Path());
        finished[f] = true;
        making.erase(f);
    };
    auto start = [&](std::size_t f) {
        int error = 0;
        Making& made = making[f];
        made.file = WorkFile::Create(cache_, error);
        if (!made.file) {
            fail(f, CopyFailureReason(error));
            return false;
        }
        return true;
    };
    // Bytes [at, at + size) of data disk d's stream, to the lost files there.
    auto deliver = [&](std::size_t d, std::int64_t at, const std::uint8_t* bytes,
                       std::size_t size) {
        const std::int64_t end = at + static_cast<std::int64_t>(size);
        for (std::size_t k = next[d]; k < lostOf[d].size(); ++k) {
            const std::size_t f = lostOf[d][k];
            const File& file = files_[f];
            if (file.offset >= end) {
                break;
            }
            const std::int64_t from = std::max(at, file.offset);
            const std::int64_t to = std::min(end, file.offset + file.size);
            if (from >= to || failed[f] || (!making.count(f) && !start(f))) {
                continue;
            }
            Making& made = making[f];
            const std::uint8_t* part = bytes + (from - at);
            const auto length = static_cast<std::size_t>(to - from);
            if (!made.file->WriteAt(part, length, from - file.offset)) {
                fail(f, CopyFailureReason(made.file->Error()));
                continue;
            }
            made.hash.Update(part, length);
            made.written += static_cast<std::int64_t>(length);
            if (made.written == file.size) {
                finish(f);
            }
        }
        while (next[d] < lostOf[d].size() &&
               files_[lostOf[d][next[d]]].offset + files_[lostOf[d][next[d]]].size <= end) {
            ++next[d];
        }
    };
    // Files of no bytes lie at no place.
    for (std::size_t f = 0; f < files_.size(); ++f) {
        if (files_[f].lost && files_[f].size == 0 && start(f)) {
            finish(f);
        }
    }

    std::map<std::pair<std::vector<int>, std::vector<int>>, LossDecoder> decoders;
    std::int64_t done = 0;
    bool stopped = false;
    Sweep(places_, known_, header_.dataCount, [&](const Segment& segment) {
        const std::size_t e = segment.lostData.size();
        if (e == 0) {
            return true; // every data disk known here: nothing lost lies here
        }
        if (e > segment.parity.size()) {
            const std::string reason = Formatted(msg::kReasonTooManyLost, static_cast<int>(e),
                                                 static_cast<int>(segment.parity.size()));
            for (int d : segment.lostData) {
                for (std::size_t f : lostOf[static_cast<std::size_t>(d)]) {
                    const File& file = files_[f];
                    if (file.offset < segment.streamStart + segment.end - segment.start &&
                        file.offset + file.size > segment.streamStart) {
                        fail(f, reason);
                    }
                }
            }
            return true;
        }
        const std::vector<int> parity(segment.parity.begin(),
                                      segment.parity.begin() + static_cast<std::ptrdiff_t>(e));
        const auto key = std::make_pair(segment.lostData, parity);
        auto found = decoders.find(key);
        if (found == decoders.end()) {
            found = decoders
                        .emplace(key, *LossDecoder::For(header_.dataCount, header_.parityCount,
                                                        segment.lostData, parity))
                        .first;
        }
        std::vector<std::uint8_t> in(e * kChunk);
        std::vector<std::uint8_t> out(e * kChunk);
        std::vector<const std::uint8_t*> ins;
        std::vector<std::uint8_t*> outs;
        for (std::size_t i = 0; i < e; ++i) {
            ins.push_back(in.data() + i * kChunk);
            outs.push_back(out.data() + i * kChunk);
        }
        for (std::int64_t at = segment.start; at < segment.end;) {
            const auto size = static_cast<std::size_t>(
                std::min<std::int64_t>(static_cast<std::int64_t>(kChunk), segment.end - at));
            for (std::size_t i = 0; i < e; ++i) {
                std::size_t got = 0;
                WorkFile& working = *working_[static_cast<std::size_t>(parity[i])];
                if (!working.ReadAt(in.data() + i * kChunk, size, at, got) || got != size) {
                    // The working files were written up to here: only the medium they are on
                    // fails now, and every file still being made goes with it.
                    const std::string reason = CopyFailureReason(
                        got != size && working.Error() == 0 ? EIO : working.Error());
                    for (std::size_t f = 0; f < files_.size(); ++f) {
                        if (files_[f].lost && !failed[f] && making.count(f)) {
                            fail(f, reason);
                        }
                    }
                    return true;
                }
            }
            found->second.Make(ins.data(), size, outs.data());
            const std::int64_t streamAt = segment.streamStart + (at - segment.start);
            for (std::size_t i = 0; i < e; ++i) {
                deliver(static_cast<std::size_t>(segment.lostData[i]), streamAt, outs[i], size);
            }
            at += static_cast<std::int64_t>(size);
            done += static_cast<std::int64_t>(size);
            if (betweenChunks && !betweenChunks(done)) {
                stopped = true;
                return false;
            }
        }
        return true;
    });
    // What was cut short by a failed place or a stop is not made.
    for (std::size_t f = 0; f < files_.size(); ++f) {
        if (files_[f].lost && !failed[f] && !finished[f]) {
            fail(f, msg::kReasonRebuildStopped);
        }
    }
    return !stopped;
}

} // namespace arbolink
