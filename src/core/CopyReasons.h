// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a file copy failed, in the user's words: the split run and the restore run both name
// the reason in their copy-failure dialogs.

#include "core/Phrase.h"
#include "fs/Copy.h"

#include <string>

namespace arbolink {

namespace msg {

// Reasons a copy failed, from the system's error numbers.
ARBOLINK_PHRASE(kReasonNoSpace, "ディスクの空き容量が足りません。",
                "Not enough free space on the disk.");
ARBOLINK_PHRASE(kReasonAccess, "アクセスが拒否されました。", "Access denied.");
ARBOLINK_PHRASE(kReasonNotFound, "ファイルが見つかりません。", "File not found.");
ARBOLINK_PHRASE(kReasonReadOnly, "ディスクが書き込み禁止です。", "The disk is write-protected.");
ARBOLINK_PHRASE(kReasonIo, "ディスクの読み書きでエラーが起きました。",
                "An error occurred reading or writing the disk.");
ARBOLINK_PHRASE(kReasonName, "この名前のファイルは作れません。",
                "A file of this name cannot be created.");
ARBOLINK_PHRASE(kReasonTooLarge, "コピー先のファイルシステムには大きすぎるファイルです。",
                "The file is too large for the target's file system.");
ARBOLINK_PHRASE(kReasonNotRegular, "通常のファイルではありません。", "Not a regular file.");
// Any other error number: its value and the system's own text.
ARBOLINK_PHRASE(kReasonOther, "エラー %1（%2）", "Error %1 (%2)");
// The disk the run reads or writes is no longer in its drive (the disk check's own words).
ARBOLINK_PHRASE(kReasonNoDisk, "ディスクが入っていません", "No disk in the drive");
// The folder the copy was to go to has gone (the disk was taken out or the folder removed).
ARBOLINK_PHRASE(kReasonTargetFolderGone, "コピー先のフォルダーが見つかりません。",
                "The target folder was not found.");
// Something in the way of the target's folders; followed by its path.
ARBOLINK_PHRASE(
    kReasonLinkInTheWay,
    "コピー先の途中に、ほかの場所を指すリンクがあります。リンクの先へは書き込みません。\n",
    "On the way to the target there is a link pointing elsewhere. Nothing is written through "
    "it.\n");
ARBOLINK_PHRASE(kReasonFileInTheWay, "コピー先のフォルダーと同じ名前のファイルがあります。\n",
                "A file has the same name as a folder of the target.\n");

// A file, or another item, and why it was left out or failed: "path（reason）".
ARBOLINK_PHRASE(kNameWithReason, "%1（%2）", "%1 (%2)");

} // namespace msg

// The reason a copy failed, from the side that failed and the system's error number. A
// failure on diskSide (the side on the disk of the set) while the disk folder's drive no
// longer answers is the disk taken out, not a missing file.
std::string FailedCopyReason(const CopyOutcome& outcome, CopySide diskSide,
                             const std::string& diskFolder);

// The reason for the system's error number from a failed copy.
std::string CopyFailureReason(int error);

} // namespace arbolink
