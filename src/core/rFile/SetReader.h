#pragma once
// Reading the two set files of a disk back. A file whose contents do not follow the format
// throws SetFormatError; readers never crash on any bytes.

#include "core/FileTable.h"
#include "core/Host.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace arbolink {

struct DiskIdentity {
    std::string setId;
    std::int32_t disk = 0;
    std::int32_t diskCount = 0;
};

// Reads "_Disk.@ID". While it cannot be read: beep and "ディスクを確認してください" with
// Abort and Retry; Abort answers nothing.
std::optional<DiskIdentity> ReadIdentity(const std::string& diskFolder, Host& host);

// The number of lines of "_index.@txt" (an empty file has one), or -1 after a beep and
// "このディスクは使えません\n\n確認してください" when it cannot be read.
std::int64_t CountIndexLines(const std::string& diskFolder, Host& host);

// Fills Folder, Name and StoredName of rows 0, 1, 2 ... from "_index.@txt" in line order and
// appends each Folder value not yet in folderList. The table must have at least as many rows
// as the file has lines. Answers the number of rows read (an empty index has none), or -1
// after the message of CountIndexLines when the file cannot be read.
std::int64_t ReadIndexFile(const std::string& diskFolder, FileTable& table,
                           std::vector<std::string>& folderList, Host& host);

// The parsing behind the readers, on a file's bytes (UTF-8 or CP932). Both throw
// SetFormatError; ParseIndex answers the number of rows filled.
DiskIdentity ParseIdentity(std::string_view bytes);
std::int64_t ParseIndex(std::string_view bytes, FileTable& table,
                        std::vector<std::string>& folderList);

} // namespace arbolink
