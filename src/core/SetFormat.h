// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The disk set format: what a disk of a set holds and the two set files, byte by byte.
//
// A disk's set folder (the disk folder) holds the index "_index.@txt" of the whole set, the
// identity file "_Disk.@ID", the disk's files side by side under their stored names and, on
// disk 1 when asked for, the folder "Arbolink" with a copy of the program. Both set files are
// UTF-8 text whose lines end in CR LF; readers also accept Shift-JIS (CP932) files.
//
// Sets written since checksums came in hold two more files (see core/SetChecksums.h): the
// checksum list "_Disk.@sha256" of the disk's own files, in the form sha256sum reads, and the
// set map "_index.@map" of every file of the set. A set without them restores all the same.

#include "core/Phrase.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace arbolink {

inline constexpr const char* kIndexFileName = "_index.@txt";
inline constexpr const char* kIdentityFileName = "_Disk.@ID";
inline constexpr const char* kChecksumListName = "_Disk.@sha256";
inline constexpr const char* kSetMapName = "_index.@map";
// The header of a recovery disk (see core/recovery/RecoveryFormat.h); a folder holding it
// and no identity file is a recovery disk of a set.
inline constexpr const char* kRecoveryHeaderName = "_Recovery.@rs";
inline constexpr const char* kDummyFolderName = "@dummy@";
inline constexpr const char* kProgramFolderName = "Arbolink";

namespace msg {
ARBOLINK_PHRASE(kDiskUnusable, "このディスクは使えません\n\n確認してください",
                "This disk cannot be used\n\nPlease check it");
ARBOLINK_PHRASE(kCheckDisk, "ディスクを確認してください", "Please check the disk");
ARBOLINK_PHRASE(kBadSetFile, "ディスクのファイル「%1」の形式が正しくありません（%2 行目）",
                "The disk's file \"%1\" is not in the right format (line %2)");
ARBOLINK_PHRASE(kSetFileNotPlain,
                "ディスクのファイル「%1」が普通のファイルではありません（リンク、フォルダーなど）",
                "The disk's file \"%1\" is not a regular file (a link, a folder, ...)");
ARBOLINK_PHRASE(kSetFileTooLarge, "ディスクのファイル「%1」が大きすぎるため、読み込めません",
                "The disk's file \"%1\" is too large to read");
} // namespace msg

// A set file whose contents do not follow the format, or that is not a plain file a set
// could hold. what() is the message for the user, naming the file.
class SetFormatError : public std::runtime_error {
public:
    SetFormatError(const std::string& fileName, std::int64_t line);
    // A link, folder, FIFO or device where the set file should be.
    static SetFormatError NotPlain(const std::string& fileName);
    // Larger than any set of the program's own would make it.
    static SetFormatError TooLarge(const std::string& fileName);

private:
    explicit SetFormatError(const std::string& text) : std::runtime_error(text) {}
};

// Whether the name is one of the set files a disk folder holds beside its stored files.
bool IsSetFileName(std::string_view name);

// The folder on a disk that holds the set: the destination as a folder prefix or, when that
// is the root of a volume, the folder "@dummy@" under it.
std::string DiskFolder(const std::string& destination);

// A folder or file name an index row may hold: one that stays inside the folder it is put in
// on every platform. Not empty, not "." or "..", without "/", "\" or NUL, and not beginning
// with a letter and a colon (a drive on Windows). A restore refuses a set with any other name,
// so a divide carries none.
bool IsIndexName(std::string_view name);

// A field of a set file line, quoted, a double quote inside written doubled; and the length
// of the field so written, without its two quotes.
void AppendQuoted(std::string& out, std::string_view field);
std::int64_t QuotedSize(std::string_view field);

// One index line: the three fields quoted, separated by commas, ended by CR LF. A double
// quote inside a field is written doubled.
std::string IndexLine(std::string_view folder, std::string_view name, std::string_view stored);
// The same line appended to out, so that a whole index is built in one buffer.
void AppendIndexLine(std::string& out, std::string_view folder, std::string_view name,
                     std::string_view stored);
// The byte length of IndexLine for these fields, without building it.
std::int64_t IndexLineSize(std::string_view folder, std::string_view name, std::string_view stored);

// The identity line: "SetId",n,DiskCount CR LF.
std::string IdentityLine(std::string_view setId, std::int32_t disk, std::int32_t diskCount);

// Cuts one line into fields: blanks and control characters between fields are skipped, a
// quoted field runs to the next quote that is not doubled (a doubled quote stands for one),
// an unquoted field ends before a blank, a control character or a comma.
std::vector<std::string> SplitFields(std::string_view line);

// A set file's bytes as UTF-8 text: UTF-8 as it is (a leading byte-order mark dropped), any
// other bytes read as CP932. False when they are neither.
bool DecodeSetText(std::string_view bytes, std::string& text);

// Cuts text into lines ended by LF (a CR before it dropped), the way a line reader sees them:
// a last line without its end still counts, an empty text is one empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

} // namespace arbolink
