// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a file copy failed, in the user's words: the split run and the restore run both name
// the reason in their copy-failure dialogs.

#include "fs/Copy.h"

#include <string>

namespace arbolink {

namespace msg {

// Reasons a copy failed, from the system's error numbers.
inline constexpr const char* kReasonNoSpace = "ディスクの空き容量が足りません。";
inline constexpr const char* kReasonAccess = "アクセスが拒否されました。";
inline constexpr const char* kReasonNotFound = "ファイルが見つかりません。";
inline constexpr const char* kReasonReadOnly = "ディスクが書き込み禁止です。";
inline constexpr const char* kReasonIo = "ディスクの読み書きでエラーが起きました。";
inline constexpr const char* kReasonName = "この名前のファイルは作れません。";
inline constexpr const char* kReasonTooLarge =
    "コピー先のファイルシステムには大きすぎるファイルです。";
inline constexpr const char* kReasonNotRegular = "通常のファイルではありません。";
// Any other error number: its value and the system's own text.
inline constexpr const char* kReasonOther = "エラー %d（%s）";
// The disk the run reads or writes is no longer in its drive (the disk check's own words).
inline constexpr const char* kReasonNoDisk = "ディスクが入っていません";
// The folder the copy was to go to has gone (the disk was taken out or the folder removed).
inline constexpr const char* kReasonTargetFolderGone = "コピー先のフォルダーが見つかりません。";
// Something in the way of the target's folders; followed by its path.
inline constexpr const char* kReasonLinkInTheWay =
    "コピー先の途中に、ほかの場所を指すリンクがあります。リンクの先へは書き込みません。\n";
inline constexpr const char* kReasonFileInTheWay =
    "コピー先のフォルダーと同じ名前のファイルがあります。\n";

} // namespace msg

// The reason a copy failed, from the side that failed and the system's error number. A
// failure on diskSide (the side on the disk of the set) while the disk folder's drive no
// longer answers is the disk taken out, not a missing file.
std::string FailedCopyReason(const CopyOutcome& outcome, CopySide diskSide,
                             const std::string& diskFolder);

// The reason for the system's error number from a failed copy.
std::string CopyFailureReason(int error);

} // namespace arbolink
