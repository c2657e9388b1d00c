// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rFile/SetReader.h"

#include "core/SetFormat.h"
#include "fs/Encoding.h"
#include "fs/Folders.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

namespace arbolink {

namespace {

// Far beyond any real set: an identity line is under 100 bytes, an index line under 10 KiB,
// and an index of kMaxIndexRows rows of real names under 512 MiB.
constexpr std::int64_t kMaxIdentityBytes = 64 * 1024;
constexpr std::int64_t kMaxIndexBytes = std::int64_t{512} * 1024 * 1024;
constexpr std::size_t kMaxIndexLine = 64 * 1024;
// A map line is a stored name (at most 255 bytes) and under 100 bytes besides.
constexpr std::int64_t kMaxMapBytes = kMaxIndexRows * 400;

std::int32_t DecimalField(const std::string& field, const char* fileName) {
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size()) {
        throw SetFormatError(fileName, 1);
    }
    return value;
}

void ReportUnusable(Host& host) {
    host.Beep();
    host.Message(msg::kDiskUnusable);
}

// Reads a set file; false when it cannot be read. Throws when it is no plain file or too
// large to be one of ours.
bool ReadSetFile(const std::string& diskFolder, const char* fileName, std::int64_t maxBytes,
                 std::string& bytes) {
    switch (ReadPlainFile(diskFolder + fileName, bytes, maxBytes)) {
    case PlainRead::Read:
        return true;
    case PlainRead::Unreadable:
        return false;
    case PlainRead::NotPlain:
        throw SetFormatError::NotPlain(fileName);
    case PlainRead::TooLarge:
        throw SetFormatError::TooLarge(fileName);
    }
    return false;
}

bool IsBlankOrControl(char c) {
    auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

// Calls visit with every line of text (LF ended, a CR before it dropped) and its number,
// without keeping them: an index is read in one pass over its bytes.
template <typename Visit> void ForEachLine(std::string_view text, Visit visit) {
    std::int64_t number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        visit(line, ++number);
    }
}

} // namespace

std::optional<DiskIdentity> TryReadIdentity(const std::string& diskFolder) {
    std::string bytes;
    if (!ReadSetFile(diskFolder, kIdentityFileName, kMaxIdentityBytes, bytes)) {
        return std::nullopt;
    }
    return ParseIdentity(bytes);
}

std::optional<DiskIdentity> ReadIdentity(const std::string& diskFolder, Host& host) {
    for (;;) {
        std::optional<DiskIdentity> identity = TryReadIdentity(diskFolder);
        if (identity) {
            return identity;
        }
        host.Beep();
        if (host.ShowDialog(DialogKind::Confirmation, msg::kCheckDisk,
                            {Button::Abort, Button::Retry}) != Button::Retry) {
            return std::nullopt;
        }
    }
}

std::optional<std::string> ReadIndexBytes(const std::string& diskFolder, Host& host) {
    std::string bytes;
    if (!ReadSetFile(diskFolder, kIndexFileName, kMaxIndexBytes, bytes)) {
        ReportUnusable(host);
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::vector<MapEntry>> TryReadSetMap(const std::string& diskFolder) {
    std::string bytes;
    if (!ReadSetFile(diskFolder, kSetMapName, kMaxMapBytes, bytes)) {
        return std::nullopt;
    }
    return ParseSetMap(bytes);
}

std::int64_t CountIndexRows(std::string_view bytes) {
    // A line holds a row once any byte in it is neither a blank nor a control character
    // (CR and LF among them); the bytes of a CP932 character never are.
    std::int64_t rows = 0;
    bool filled = false;
    for (char c : bytes) {
        if (c == '\n') {
            rows += filled ? 1 : 0;
            filled = false;
        } else if (!IsBlankOrControl(c)) {
            filled = true;
        }
    }
    rows += filled ? 1 : 0;
    if (rows > kMaxIndexRows) {
        throw SetFormatError::TooLarge(kIndexFileName);
    }
    return rows;
}

std::int64_t ReadIndexFile(const std::string& diskFolder, FileTable& table,
                           std::vector<std::string>& folderList, Host& host,
                           SetEncoding* encoding) {
    std::optional<std::string> bytes = ReadIndexBytes(diskFolder, host);
    if (!bytes) {
        return -1;
    }
    table.Allocate(static_cast<std::size_t>(CountIndexRows(*bytes)));
    return ParseIndex(*bytes, table, folderList, encoding);
}

DiskIdentity ParseIdentity(std::string_view bytes) {
    std::string text;
    if (!DecodeSetText(bytes, text)) {
        throw SetFormatError(kIdentityFileName, 1);
    }
    std::vector<std::string> fields = SplitFields(SplitLines(text).front());
    if (fields.size() < 3) {
        throw SetFormatError(kIdentityFileName, 1);
    }
    DiskIdentity identity;
    identity.setId = fields[0];
    identity.disk = DecimalField(fields[1], kIdentityFileName);
    identity.diskCount = DecimalField(fields[2], kIdentityFileName);
    // A disk outside its own set would be asked for or counted in a way no set allows.
    if (identity.diskCount < 1 || identity.disk < 1 || identity.disk > identity.diskCount) {
        throw SetFormatError(kIdentityFileName, 1);
    }
    return identity;
}

std::int64_t ParseIndex(std::string_view bytes, FileTable& table,
                        std::vector<std::string>& folderList, SetEncoding* encoding) {
    // UTF-8 is parsed where it lies; only a CP932 index needs a converted copy.
    std::string converted;
    std::string_view text = bytes;
    const bool utf8 = IsValidUtf8(bytes);
    if (utf8) {
        if (text.starts_with("\xEF\xBB\xBF")) {
            text.remove_prefix(3);
        }
    } else if (Cp932ToUtf8(bytes, converted)) {
        text = converted;
    } else {
        throw SetFormatError(kIndexFileName, 1);
    }
    if (encoding != nullptr) {
        *encoding = utf8 ? SetEncoding::Utf8 : SetEncoding::Cp932;
    }
    std::unordered_set<std::string> known(folderList.begin(), folderList.end());
    std::size_t row = 0;
    ForEachLine(text, [&](std::string_view line, std::int64_t lineNumber) {
        if (line.size() > kMaxIndexLine) {
            throw SetFormatError(kIndexFileName, lineNumber);
        }
        std::vector<std::string> fields = SplitFields(line);
        if (fields.empty()) {
            return; // a blank line describes no file
        }
        if (fields.size() < 3 || row >= table.RowCount()) {
            throw SetFormatError(kIndexFileName, lineNumber);
        }
        if (known.insert(fields[0]).second) {
            folderList.push_back(fields[0]);
        }
        table.SetCell(Folder, row, std::move(fields[0]));
        table.SetCell(Name, row, std::move(fields[1]));
        table.SetCell(StoredName, row, std::move(fields[2]));
        ++row;
    });
    return static_cast<std::int64_t>(row);
}

} // namespace arbolink
