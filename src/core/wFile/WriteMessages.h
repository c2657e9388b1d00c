// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the split run shows, each in exactly one place.

#include "core/CopyReasons.h"
#include "core/Phrase.h"

namespace arbolink::msg {

// The disk number: "2 枚目のディスクを入れてください。".
ARBOLINK_PHRASE(kInsertDisk, "%1 枚目のディスクを入れてください。", "Please insert disk %1.");
inline constexpr const Phrase& kNoDisk = kReasonNoDisk;
ARBOLINK_PHRASE(kNotEnoughRoom, "空き容量が足りません", "Not enough free space");
ARBOLINK_PHRASE(kSwapDisk, "ディスクを入れ換えてください", "Please change the disk");

ARBOLINK_PHRASE(kCopyingCaption, "複写中．．．", "Copying...");
inline constexpr const char* kCopyingFrom = "From : ";
inline constexpr const char* kCopyingTo = "  To : ";

ARBOLINK_PHRASE(kCopyFinished, "ファイルのコピーが終了しました", "The files have been copied");

// A file that could not be copied: its path, then the reason.
ARBOLINK_PHRASE(kSplitCopyFailed, "次のファイルをコピーできませんでした。\n\n%1\n\n%2",
                "The following file could not be copied.\n\n%1\n\n%2");
// The closing message when some files did not make it: their count, then one path a line.
ARBOLINK_PHRASE(kNotCopiedHeader,
                "ファイルのコピーが終了しましたが、次の %1 個のファイルはコピーされていません。\n",
                "The files have been copied, but the following were not (%1 in all).\n");
// Appended to "途中でキャンセルされました。" when some files failed before the Cancel.
ARBOLINK_PHRASE(kNotCopiedAfterCancel, "\n\n次の %1 個のファイルはコピーされていません。\n",
                "\n\nThe following files were not copied (%1 in all).\n");
ARBOLINK_PHRASE(kNotCopiedMore, "ほか %1 個", "and %1 more");
// The closing message of a run that copied every planned file while the walk left some out:
// their count, then one "path（reason）" a line.
ARBOLINK_PHRASE(kCopyFinishedNotCarried,
                "ファイルのコピーが終了しましたが、次の %1 件は分割されていません。\n",
                "The files have been copied, but the following were not divided (%1 in all).\n");
// Appended to the list of files not copied when the walk left some out as well.
ARBOLINK_PHRASE(kNotCarriedAlso, "\n\n次の %1 件も分割されていません。\n",
                "\n\nThe following were not divided either (%1 in all).\n");

ARBOLINK_PHRASE(kVerifyingCaption, "検査中．．．", "Checking...");
// The files of a disk that read back otherwise than they were written, one a line after it.
ARBOLINK_PHRASE(
    kReadBackMismatch,
    "書き込んだディスクを読み返したところ、次のファイルの内容が書き込んだものと一致しません。\n"
    "ディスクが傷んでいるおそれがあります。\n\n"
    "［再試行］でこのディスクを書き直し、［無視］で次に進み、［中止］で終わります。\n",
    "On reading the written disk back, the content of the following files does not match what was "
    "written.\nThe disk may be damaged.\n\n[Retry] writes this disk again, [Ignore] goes on, "
    "[Abort] ends.\n");
ARBOLINK_PHRASE(kReasonReadBack, "読み返した内容が一致しません",
                "the content read back does not match");
// The checksum files of a disk could not be written: the disk folder follows.
ARBOLINK_PHRASE(kChecksumsNotWritten,
                "チェックサムのファイルを書き込めませんでした。\n\n%1\n\n"
                "［無視］で進むと、このディスクの内容は後で検査できません。",
                "The checksum files could not be written.\n\n%1\n\nIf you go on with [Ignore], "
                "this disk's content cannot be checked later.");
ARBOLINK_PHRASE(kReasonNoChecksums, "チェックサムを書き込めませんでした",
                "the checksums could not be written");

// Why a file changed since planning cannot be copied.
ARBOLINK_PHRASE(kReasonSizeChanged, "分割の準備の後で、ファイルの大きさが変わりました。",
                "The file's size changed after dividing was prepared.");

} // namespace arbolink::msg
