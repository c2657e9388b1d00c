// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SetFormat.h"

#include "core/Formatted.h"
#include "fs/Encoding.h"
#include "fs/Folders.h"

#include <algorithm>
#include <cstdio>

namespace arbolink {

namespace {

bool IsBlankOrControl(char c) {
    auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

void AppendQuoted(std::string& out, std::string_view field) {
    out += '"';
    // The stretches between quotes go in whole; each quote goes in doubled.
    for (std::size_t quote; (quote = field.find('"')) != std::string_view::npos;) {
        out.append(field.substr(0, quote + 1));
        out += '"';
        field.remove_prefix(quote + 1);
    }
    out.append(field);
    out += '"';
}

std::int64_t QuotedSize(std::string_view field) {
    return static_cast<std::int64_t>(field.size() + std::count(field.begin(), field.end(), '"'));
}

bool IsIndexName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    // One pass over the bytes: the walk asks this of every name it meets.
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return c == '/' || c == '\\' || c == '\0'; })) {
        return false;
    }
    return !(name.size() >= 2 && IsAsciiLetter(name[0]) && name[1] == ':');
}

SetFormatError::SetFormatError(const std::string& fileName, std::int64_t line)
    : std::runtime_error(Formatted(msg::kBadSetFile, fileName, line)) {}

SetFormatError SetFormatError::NotPlain(const std::string& fileName) {
    return SetFormatError(Formatted(msg::kSetFileNotPlain, fileName));
}

SetFormatError SetFormatError::TooLarge(const std::string& fileName) {
    return SetFormatError(Formatted(msg::kSetFileTooLarge, fileName));
}

bool IsSetFileName(std::string_view name) {
    return name == kIndexFileName || name == kIdentityFileName || name == kChecksumListName ||
           name == kSetMapName;
}

std::string DiskFolder(const std::string& destination) {
    std::string folder = AddBackslash(destination);
    if (IsDriveRoot(folder)) {
        folder += kDummyFolderName;
        folder += kPathSeparator;
    }
    return folder;
}

std::string IndexLine(std::string_view folder, std::string_view name, std::string_view stored) {
    std::string line;
    line.reserve(static_cast<std::size_t>(IndexLineSize(folder, name, stored)));
    AppendIndexLine(line, folder, name, stored);
    return line;
}

void AppendIndexLine(std::string& out, std::string_view folder, std::string_view name,
                     std::string_view stored) {
    AppendQuoted(out, folder);
    out += ',';
    AppendQuoted(out, name);
    out += ',';
    AppendQuoted(out, stored);
    out += "\r\n";
}

std::int64_t IndexLineSize(std::string_view folder, std::string_view name,
                           std::string_view stored) {
    return QuotedSize(folder) + QuotedSize(name) + QuotedSize(stored) + 10;
}

std::string IdentityLine(std::string_view setId, std::int32_t disk, std::int32_t diskCount) {
    std::string line;
    AppendQuoted(line, setId);
    line += ',' + std::to_string(disk) + ',' + std::to_string(diskCount) + "\r\n";
    return line;
}

std::vector<std::string> SplitFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    const std::size_t n = line.size();
    auto skipBlanks = [&] {
        while (i < n && IsBlankOrControl(line[i])) {
            ++i;
        }
    };
    skipBlanks();
    while (i < n) {
        std::string field;
        if (line[i] == '"') {
            ++i;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
        } else {
            while (i < n && static_cast<unsigned char>(line[i]) >= 33 && line[i] != ',') {
                field += line[i++];
            }
        }
        fields.push_back(std::move(field));
        skipBlanks();
        if (i < n && line[i] == ',') {
            ++i;
            skipBlanks();
        } else if (i < n && !IsBlankOrControl(line[i]) && line[i] != '"' &&
                   static_cast<unsigned char>(line[i]) < 33) {
            ++i; // a NUL byte: step over it rather than stall
        }
    }
    return fields;
}

bool DecodeSetText(std::string_view bytes, std::string& text) {
    if (IsValidUtf8(bytes)) {
        if (bytes.starts_with("\xEF\xBB\xBF")) {
            bytes.remove_prefix(3);
        }
        text.assign(bytes);
        return true;
    }
    return Cp932ToUtf8(bytes, text);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        std::string_view line =
            text.substr(start, (end == std::string_view::npos ? text.size() : end) - start);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        start = next;
    }
    if (lines.empty()) {
        lines.emplace_back();
    }
    return lines;
}

} // namespace arbolink
