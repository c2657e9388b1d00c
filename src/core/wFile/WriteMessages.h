// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the split run shows, each in exactly one place.

#include "core/CopyReasons.h"

namespace arbolink::msg {

// Follows the disk number: "2 枚目のディスクを入れてください。".
inline constexpr const char* kInsertDisk = " 枚目のディスクを入れてください。";
inline constexpr const char* kNoDisk = kReasonNoDisk;
inline constexpr const char* kNotEnoughRoom = "空き容量が足りません";
inline constexpr const char* kSwapDisk = "ディスクを入れ換えてください";

inline constexpr const char* kCopyingCaption = "複写中．．．";
inline constexpr const char* kCopyingFrom = "From : ";
inline constexpr const char* kCopyingTo = "  To : ";

inline constexpr const char* kCopyFinished = "ファイルのコピーが終了しました";

// A file that could not be copied: its path, then the reason.
inline constexpr const char* kSplitCopyFailed =
    "次のファイルをコピーできませんでした。\n\n%s\n\n%s";
// The closing message when some files did not make it: their count, then one path a line.
inline constexpr const char* kNotCopiedHeader =
    "ファイルのコピーが終了しましたが、次の %d 個のファイルはコピーされていません。\n";
// Appended to "途中でキャンセルされました。" when some files failed before the Cancel.
inline constexpr const char* kNotCopiedAfterCancel =
    "\n\n次の %d 個のファイルはコピーされていません。\n";
inline constexpr const char* kNotCopiedMore = "ほか %d 個";
// The closing message of a run that copied every planned file while the walk left some out:
// their count, then one "path（reason）" a line.
inline constexpr const char* kCopyFinishedNotCarried =
    "ファイルのコピーが終了しましたが、次の %d 件は分割されていません。\n";
// Appended to the list of files not copied when the walk left some out as well.
inline constexpr const char* kNotCarriedAlso = "\n\n次の %d 件も分割されていません。\n";

inline constexpr const char* kVerifyingCaption = "検査中．．．";
// The files of a disk that read back otherwise than they were written, one a line after it.
inline constexpr const char* kReadBackMismatch =
    "書き込んだディスクを読み返したところ、次のファイルの内容が書き込んだものと一致しません。\n"
    "ディスクが傷んでいるおそれがあります。\n\n"
    "［再試行］でこのディスクを書き直し、［無視］で次に進み、［中止］で終わります。\n";
inline constexpr const char* kReasonReadBack = "読み返した内容が一致しません";
// The checksum files of a disk could not be written: the disk folder follows.
inline constexpr const char* kChecksumsNotWritten =
    "チェックサムのファイルを書き込めませんでした。\n\n%s\n\n"
    "［無視］で進むと、このディスクの内容は後で検査できません。";
inline constexpr const char* kReasonNoChecksums = "チェックサムを書き込めませんでした";

// Why a file changed since planning cannot be copied.
inline constexpr const char* kReasonSizeChanged =
    "分割の準備の後で、ファイルの大きさが変わりました。";

} // namespace arbolink::msg
