// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recovery/RecoveryFormat.h"

#include "core/SetFormat.h"
#include "core/recovery/ErasureCode.h"
#include "fs/Folders.h"

#include <charconv>
#include <cstdio>
#include <limits>

namespace arbolink {

namespace {

constexpr const char* kHeaderTag = "Arbolink recovery";
constexpr std::string_view kPiecePrefix = "_Parity";
constexpr std::string_view kPieceSuffix = ".@rs";
// The longest a line of numbers and a digest gets, besides its texts.
constexpr std::int64_t kLineBound = 160;
// "times", a disk number of 3 digits, a signed 64-bit second, 9 digits of nanoseconds, a
// mode of 10 digits, the commas and CR LF.
constexpr std::int64_t kTimesLineBound = 7 + 3 + 20 + 9 + 10 + 4 + 2;

template <typename Number> bool ParseNumber(const std::string& field, Number& value) {
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return !field.empty() && error == std::errc() && end == field.data() + field.size();
}

void AppendLine(std::string& out, const std::vector<std::string>& fields,
                const std::vector<bool>& quoted) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        if (quoted[i]) {
            AppendQuoted(out, fields[i]);
        } else {
            out += fields[i];
        }
    }
    out += "\r\n";
}

class HeaderReader {
public:
    explicit HeaderReader(std::string_view bytes) : lines_(SplitLines(bytes)) {}

    bool AtEnd() {
        while (next_ < lines_.size() && SplitFields(lines_[next_]).empty()) {
            ++next_;
        }
        return next_ >= lines_.size();
    }

    std::vector<std::string> Next() {
        if (AtEnd()) {
            Fail();
        }
        return SplitFields(lines_[next_++]);
    }

    [[noreturn]] void Fail() const {
        throw SetFormatError(kRecoveryHeaderName, static_cast<std::int64_t>(next_));
    }

    template <typename Number> Number Take(const std::string& field, Number least) const {
        Number value{};
        if (!ParseNumber(field, value) || value < least) {
            Fail();
        }
        return value;
    }

    Sha256Digest Digest(const std::string& field) const {
        std::optional<Sha256Digest> digest = ParseHexDigest(field);
        if (!digest) {
            Fail();
        }
        return *digest;
    }

private:
    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
};

void ReadOptionalLine(HeaderReader& reader, const std::vector<std::string>& fields,
                      RecoveryHeader& header) {
    if (fields[0] == "program" && fields.size() == 4 && !header.program) {
        header.program = ProgramCopy{fields[1], reader.Take<std::int64_t>(fields[2], 0),
                                     reader.Digest(fields[3])};
    } else if (fields[0] == "times" && fields.size() == 5 && header.times.size() > 0) {
        const int disk = reader.Take<int>(fields[1], 1);
        const auto nanoseconds = reader.Take<std::int32_t>(fields[3], 0);
        if (disk > header.dataCount || nanoseconds > 999'999'999) {
            reader.Fail();
        }
        header.times[static_cast<std::size_t>(disk - 1)].push_back(
            {reader.Take<std::int64_t>(fields[2], std::numeric_limits<std::int64_t>::min()),
             nanoseconds, reader.Take<std::uint32_t>(fields[4], 0)});
    } else if (fields[0] == "parity" && fields.size() == 5) {
        header.pieces.push_back({reader.Take<int>(fields[1], 1), fields[2],
                                 reader.Take<std::int64_t>(fields[3], 0),
                                 reader.Digest(fields[4])});
    } else {
        reader.Fail();
    }
}

// Every recovery disk's pieces add up to the stream.
bool Consistent(const RecoveryHeader& header) {
    if (header.disk > header.parityCount || !RecoveryFits(header.dataCount, header.parityCount)) {
        return false;
    }
    std::vector<std::int64_t> total(static_cast<std::size_t>(header.parityCount), 0);
    for (const ParityPiece& piece : header.pieces) {
        if (piece.disk > header.parityCount || !IsRecoveryFileName(piece.name) ||
            piece.name == kRecoveryHeaderName) {
            return false;
        }
        total[static_cast<std::size_t>(piece.disk - 1)] += piece.size;
    }
    for (std::int64_t sum : total) {
        if (sum != header.streamLength) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string ParityPieceName(int piece) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d", piece);
    return std::string(kPiecePrefix) + number + std::string(kPieceSuffix);
}

bool IsRecoveryFileName(std::string_view name) {
    if (SameFileName(name, kRecoveryHeaderName)) {
        return true;
    }
    if (name.size() <= kPiecePrefix.size() + kPieceSuffix.size()) {
        return false;
    }
    const std::string_view digits =
        name.substr(kPiecePrefix.size(), name.size() - kPiecePrefix.size() - kPieceSuffix.size());
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return SameFileName(name.substr(0, kPiecePrefix.size()), kPiecePrefix) &&
           SameFileName(name.substr(name.size() - kPieceSuffix.size()), kPieceSuffix);
}

std::int64_t ParityPieceSize(std::int64_t stripe) {
    return kLargestFileOnAnyDisk / stripe * stripe;
}

std::vector<std::int64_t> PieceSizes(std::int64_t length, std::int64_t stripe) {
    const std::int64_t largest = ParityPieceSize(stripe);
    std::vector<std::int64_t> sizes;
    for (std::int64_t left = length; left > 0; left -= largest) {
        sizes.push_back(std::min(left, largest));
    }
    if (sizes.empty()) {
        sizes.push_back(0); // an empty stream still has its one piece
    }
    return sizes;
}

std::optional<RecoveryHeader> TryReadRecoveryHeader(const std::string& folder) {
    // A header of a million files' times lines takes some 40 MB.
    constexpr std::int64_t kLargestHeader = std::int64_t{64} << 20;
    std::string bytes;
    if (EntryExists(folder + kIdentityFileName) ||
        !ReadWholeFile(folder + kRecoveryHeaderName, bytes, kLargestHeader)) {
        return std::nullopt;
    }
    try {
        return ParseRecoveryHeader(bytes);
    } catch (const SetFormatError&) {
        return std::nullopt;
    }
}

std::string DiskFilePath(const std::string& folder, const std::string& path) {
    std::string out = folder;
    for (char c : path) {
        out += c == '/' ? kPathSeparator : c;
    }
    return out;
}

std::int64_t TimesLineBound() {
    return kTimesLineBound;
}

std::int64_t RecoveryHeaderBound(std::int64_t length, std::int64_t stripe, int parityCount,
                                 std::int64_t setIdSize, std::int64_t programPathSize) {
    const auto pieces = static_cast<std::int64_t>(PieceSizes(length, stripe).size());
    return kLineBound * 3 + 2 * setIdSize + (kLineBound + 2 * programPathSize) +
           parityCount * pieces * kLineBound;
}

std::string RecoveryHeaderBytes(const RecoveryHeader& header) {
    std::string out;
    AppendLine(out, {kHeaderTag, std::to_string(kRecoveryFormatVersion)}, {true, false});
    AppendLine(out,
               {header.setId, std::to_string(header.disk), std::to_string(header.dataCount),
                std::to_string(header.parityCount)},
               {true, false, false, false});
    AppendLine(out, {std::to_string(header.stripe), std::to_string(header.streamLength)},
               {false, false});
    if (header.program) {
        AppendLine(out,
                   {"program", header.program->path, std::to_string(header.program->size),
                    HexDigest(header.program->digest)},
                   {true, true, false, true});
    }
    for (const ParityPiece& piece : header.pieces) {
        AppendLine(out,
                   {"parity", std::to_string(piece.disk), piece.name, std::to_string(piece.size),
                    HexDigest(piece.digest)},
                   {true, false, true, false, true});
    }
    for (std::size_t n = 0; n < header.times.size(); ++n) {
        for (const FileTimes& times : header.times[n]) {
            AppendLine(out,
                       {"times", std::to_string(n + 1), std::to_string(times.seconds),
                        std::to_string(times.nanoseconds), std::to_string(times.mode)},
                       {true, false, false, false, false});
        }
    }
    return out;
}

RecoveryHeader ParseRecoveryHeader(std::string_view bytes) {
    HeaderReader reader(bytes);
    RecoveryHeader header;
    std::vector<std::string> fields = reader.Next();
    const int version = fields.size() == 2 ? reader.Take<int>(fields[1], 1) : 0;
    if (fields[0] != kHeaderTag || version < 1 || version > kRecoveryFormatVersion) {
        reader.Fail();
    }
    fields = reader.Next();
    if (fields.size() != 4 || fields[0].empty()) {
        reader.Fail();
    }
    header.setId = fields[0];
    header.disk = reader.Take<int>(fields[1], 1);
    header.dataCount = reader.Take<int>(fields[2], 1);
    header.parityCount = reader.Take<int>(fields[3], 1);
    fields = reader.Next();
    if (fields.size() != 2) {
        reader.Fail();
    }
    header.stripe = reader.Take<std::int64_t>(fields[0], 1);
    header.streamLength = reader.Take<std::int64_t>(fields[1], 0);
    if (version >= 2) {
        header.times.resize(static_cast<std::size_t>(header.dataCount));
    }
    while (!reader.AtEnd()) {
        fields = reader.Next();
        ReadOptionalLine(reader, fields, header);
    }
    if (!Consistent(header)) {
        reader.Fail();
    }
    return header;
}

} // namespace arbolink
