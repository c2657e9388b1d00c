// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SetChecksums.h"

#include "core/SetFormat.h"

#include <charconv>

namespace arbolink {

namespace {

constexpr std::int64_t kHexDigits = 64;

std::int64_t DecimalDigits(std::int64_t value) {
    std::int64_t digits = 1;
    for (; value >= 10; value /= 10) {
        ++digits;
    }
    return digits;
}

template <typename Number> bool ParseNumber(const std::string& field, Number& value) {
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return !field.empty() && error == std::errc() && end == field.data() + field.size();
}

bool IsBlankLine(std::string_view line) {
    for (char c : line) {
        if (static_cast<unsigned char>(c) > 32) {
            return false;
        }
    }
    return true;
}

MapEntry ParseMapLine(std::string_view line, std::int64_t number) {
    std::vector<std::string> fields = SplitFields(line);
    MapEntry entry;
    if (fields.size() != 4 || fields[0].empty() || !ParseNumber(fields[1], entry.disk) ||
        !ParseNumber(fields[2], entry.size) || entry.disk < 1 || entry.size < 0) {
        throw SetFormatError(kSetMapName, number);
    }
    if (!fields[3].empty()) {
        entry.digest = ParseHexDigest(fields[3]);
        if (!entry.digest) {
            throw SetFormatError(kSetMapName, number);
        }
    }
    entry.stored = std::move(fields[0]);
    return entry;
}

} // namespace

void AppendChecksumLine(std::string& out, const Sha256Digest& digest, std::string_view path) {
    out += HexDigest(digest);
    out += "  ";
    out += path;
    out += '\n';
}

std::int64_t ChecksumLineSize(std::string_view path) {
    return kHexDigits + 2 + static_cast<std::int64_t>(path.size()) + 1;
}

void AppendMapLine(std::string& out, std::string_view stored, std::int32_t disk, std::int64_t size,
                   const Sha256Digest* digest) {
    AppendQuoted(out, stored);
    out += ',';
    out += std::to_string(disk);
    out += ',';
    out += std::to_string(size);
    out += ',';
    AppendQuoted(out, digest != nullptr ? HexDigest(*digest) : std::string());
    out += "\r\n";
}

std::int64_t MapLineSize(std::string_view stored, int diskDigits, std::int64_t size) {
    // Three commas, the digest's quotes and CR LF besides the fields.
    return 2 + QuotedSize(stored) + diskDigits + DecimalDigits(size) + kHexDigits + 7;
}

std::vector<MapEntry> ParseSetMap(std::string_view bytes) {
    std::string text;
    if (!DecodeSetText(bytes, text)) {
        throw SetFormatError(kSetMapName, 1);
    }
    std::vector<MapEntry> entries;
    std::int64_t number = 0;
    for (std::string_view line : SplitLines(text)) {
        ++number;
        if (!IsBlankLine(line)) {
            entries.push_back(ParseMapLine(line, number));
        }
    }
    return entries;
}

} // namespace arbolink
