// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the two set files of a disk back. A file whose contents do not follow the format,
// or that is a link, folder, FIFO or device instead of a plain file, throws SetFormatError;
// readers never crash, hang or follow a link on any disk.

#include "core/FileTable.h"
#include "core/Host.h"
#include "core/SetChecksums.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace arbolink {

// The most rows an index may have. Every row costs the table about 200 bytes besides its
// text, so the limit keeps a restore within a few hundred megabytes and turns a hostile
// index into a clear message rather than an exhausted memory.
inline constexpr std::int64_t kMaxIndexRows = 4'000'000;

struct DiskIdentity {
    std::string setId;
    std::int32_t disk = 0;      // 1 to diskCount
    std::int32_t diskCount = 0; // at least 1
};

// What a set file was written in. The disks of a CP932 set may name their stored files in
// CP932 bytes as well.
enum class SetEncoding { Utf8, Cp932 };

// Reads "_Disk.@ID". While it cannot be read: beep and "ディスクを確認してください" with
// Abort and Retry; Abort answers nothing.
std::optional<DiskIdentity> ReadIdentity(const std::string& diskFolder, Host& host);

// Reads "_Disk.@ID" without asking: nothing when it cannot be read. Throws as above.
std::optional<DiskIdentity> TryReadIdentity(const std::string& diskFolder);

// The bytes of "_index.@txt", or nothing after a beep and "このディスクは使えません\n\n
// 確認してください" when it cannot be read. Throws when it is not a plain file or larger than
// an index of kMaxIndexRows rows could be.
std::optional<std::string> ReadIndexBytes(const std::string& diskFolder, Host& host);

// The rows an index's bytes can give: its lines that hold anything but blanks and control
// characters. Throws SetFormatError naming the index beyond kMaxIndexRows.
std::int64_t CountIndexRows(std::string_view bytes);

// Reads "_index.@txt" whole: sizes the table to its rows (CountIndexRows), fills Folder, Name
// and StoredName of rows 0, 1, 2 ... in line order and appends each Folder value not yet in
// folderList; given encoding, tells what the file was written in. Answers the number of rows
// read (an empty index has none), or -1 after the message of ReadIndexBytes when the file
// cannot be read. Throws SetFormatError as ParseIndex does, and std::bad_alloc when the table
// cannot be had.
std::int64_t ReadIndexFile(const std::string& diskFolder, FileTable& table,
                           std::vector<std::string>& folderList, Host& host,
                           SetEncoding* encoding = nullptr);

// Reads the set map "_index.@map": nothing when the disk holds none or it cannot be read.
// Throws SetFormatError when it is not a plain file, too large or not in its form.
std::optional<std::vector<MapEntry>> TryReadSetMap(const std::string& diskFolder);

// The parsing behind the readers, on a file's bytes (UTF-8 or CP932). Both throw
// SetFormatError. ParseIdentity checks 1 <= disk <= diskCount. ParseIndex answers the number
// of rows filled (the table needs CountIndexRows rows) and, given encoding, what the file was
// written in.
DiskIdentity ParseIdentity(std::string_view bytes);
std::int64_t ParseIndex(std::string_view bytes, FileTable& table,
                        std::vector<std::string>& folderList, SetEncoding* encoding = nullptr);

} // namespace arbolink
