#include "core/rFile/SetReader.h"

#include "core/SetFormat.h"
#include "fs/Folders.h"

#include <charconv>
#include <unordered_set>

namespace arbolink {

namespace {

// Far beyond any real set: an identity line is under 100 bytes, an index line under 10 KiB.
constexpr std::int64_t kMaxIdentityBytes = 64 * 1024;
constexpr std::int64_t kMaxIndexBytes = std::int64_t{2} * 1024 * 1024 * 1024;
constexpr std::size_t kMaxIndexLine = 64 * 1024;

std::int32_t DecimalField(const std::string& field, const char* fileName) {
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size()) {
        throw SetFormatError(fileName, 1);
    }
    return value;
}

std::string DecodedOrThrow(std::string_view bytes, const char* fileName) {
    std::string text;
    if (!DecodeSetText(bytes, text)) {
        throw SetFormatError(fileName, 1);
    }
    return text;
}

void ReportUnusable(Host& host) {
    host.Beep();
    host.Message(msg::kDiskUnusable);
}

} // namespace

std::optional<DiskIdentity> ReadIdentity(const std::string& diskFolder, Host& host) {
    std::string bytes;
    while (!ReadWholeFile(diskFolder + kIdentityFileName, bytes, kMaxIdentityBytes)) {
        host.Beep();
        if (host.ShowDialog(DialogKind::Confirmation, msg::kCheckDisk,
                            {Button::Abort, Button::Retry}) != Button::Retry) {
            return std::nullopt;
        }
    }
    return ParseIdentity(bytes);
}

std::int64_t CountIndexLines(const std::string& diskFolder, Host& host) {
    std::string bytes;
    if (!ReadWholeFile(diskFolder + kIndexFileName, bytes, kMaxIndexBytes)) {
        ReportUnusable(host);
        return -1;
    }
    // LF never occurs inside a UTF-8 or CP932 character, so lines can be counted on bytes.
    std::int64_t ends = 0;
    for (char c : bytes) {
        ends += c == '\n' ? 1 : 0;
    }
    const bool openLastLine = !bytes.empty() && bytes.back() != '\n';
    return std::max<std::int64_t>(1, ends + (openLastLine ? 1 : 0));
}

std::int64_t ReadIndexFile(const std::string& diskFolder, FileTable& table,
                           std::vector<std::string>& folderList, Host& host) {
    std::string bytes;
    if (!ReadWholeFile(diskFolder + kIndexFileName, bytes, kMaxIndexBytes)) {
        ReportUnusable(host);
        return -1;
    }
    return ParseIndex(bytes, table, folderList);
}

DiskIdentity ParseIdentity(std::string_view bytes) {
    std::string text = DecodedOrThrow(bytes, kIdentityFileName);
    std::vector<std::string> fields = SplitFields(SplitLines(text).front());
    if (fields.size() < 3) {
        throw SetFormatError(kIdentityFileName, 1);
    }
    DiskIdentity identity;
    identity.setId = fields[0];
    identity.disk = DecimalField(fields[1], kIdentityFileName);
    identity.diskCount = DecimalField(fields[2], kIdentityFileName);
    return identity;
}

std::int64_t ParseIndex(std::string_view bytes, FileTable& table,
                        std::vector<std::string>& folderList) {
    const std::string text = DecodedOrThrow(bytes, kIndexFileName);
    std::unordered_set<std::string> known(folderList.begin(), folderList.end());
    std::int64_t row = 0;
    std::int64_t lineNumber = 0;
    for (std::string_view line : SplitLines(text)) {
        ++lineNumber;
        if (line.size() > kMaxIndexLine) {
            throw SetFormatError(kIndexFileName, lineNumber);
        }
        std::vector<std::string> fields = SplitFields(line);
        if (fields.empty()) {
            continue; // a blank line describes no file
        }
        if (fields.size() < 3 || static_cast<std::size_t>(row) >= table.RowCount()) {
            throw SetFormatError(kIndexFileName, lineNumber);
        }
        auto r = static_cast<std::size_t>(row++);
        table.Cell(Folder, r) = fields[0];
        table.Cell(Name, r) = fields[1];
        table.Cell(StoredName, r) = fields[2];
        if (known.insert(fields[0]).second) {
            folderList.push_back(fields[0]);
        }
    }
    return row;
}

} // namespace arbolink
