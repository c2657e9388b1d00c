// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the restore command and the restore run show, each in exactly one place. Texts the
// divide shows as well are named here after the divide's own.

#include "core/divide/DivideMessages.h"
#include "core/wFile/WriteMessages.h"

namespace arbolink::msg {

// The restore command.
inline constexpr const char* kSetDiskFolder = "分割先フォルダーを設定してください";
inline constexpr const char* kNoDiskFolderDrive = kNoDestinationDisk;
inline constexpr const char* kDisksInRestoreFolder =
    "復元先フォルダーと分割ディスクのフォルダーが重なっています。\n\n復元先を全削除したり上書き"
    "したりすると分割ディスクのファイルも消えるため、復元を中止します。";
inline constexpr const char* kCreateDiskFolder = kCreateDestination;
inline constexpr const char* kSetRestoreFolder = "復元先フォルダーを設定してください";
inline constexpr const char* kNoRestoreOntoCd = "CD-ROMには、復元することはできません。";
inline constexpr const char* kNoRestoreDrive =
    "復元先のディスクがありません。\n\n確認してください。";
inline constexpr const char* kCreateRestoreFolder =
    "指定された復元先フォルダーがありません\n\n新規作成しますか";
inline constexpr const char* kEmptyRemovableRestoreFolder =
    "復元先のフォルダー以下にフォルダかファイルがありますが、\n\n全削除してもかまいませんか？";
inline constexpr const char* kOverwriteAll =
    "この場合、すべて上書きになります。\n\n　　よろしいですか？";
inline constexpr const char* kKeepHardDiskRestoreFolder =
    "復元先のフォルダー以下にフォルダかファイルがありますが、\n\nハードディスクですので、削除する"
    "場合は手作業でしてください。\n\n\nこのままで復元を開始しますか？";
// A restore folder the run could not write to, then its path.
inline constexpr const char* kRestoreFolderIsFile =
    "指定された復元先はファイルです。フォルダーを指定してください\n\n";
inline constexpr const char* kRestoreFolderNotCreated =
    "復元先フォルダーを作成できませんでした。書き込みのできるディスクか確認してください\n\n";
inline constexpr const char* kRestoreFolderReadOnly =
    "復元先フォルダーに書き込めません。書き込みのできるディスクか確認してください\n\n";
inline constexpr const char* kEmptied = kDeleted;
inline constexpr const char* kEmptyingFailed = kDeleteFailed;

// The restore run.
inline constexpr const char* kNoDiskInDrive = kNoDisk;
inline constexpr const char* kNoSetFiles =
    "Index Data が見つかりません\nディスクを確認してください";
inline constexpr const char* kOtherSet =
    "最初に復元するのに使用した分割ディスクとIDが異なります。\n正しいディスクを入れてください";
// "ディスクを入れ換えてください\n\nあと " + disks still to come + " 枚です"
inline constexpr const char* kSwapDiskBefore = "ディスクを入れ換えてください\n\nあと ";
inline constexpr const char* kSwapDiskAfter = " 枚です";
inline constexpr const char* kRestoreCaption = "復元中．．．";
inline constexpr const char* kFromLabel = "From : ";
inline constexpr const char* kToLabel = "  To : ";
inline constexpr const char* kRestoreFinished = kCopyFinished;
// Disks read from folders side by side: a folder the run passes over, then its path.
inline constexpr const char* kFolderOfOtherSet =
    "次のフォルダーは、最初に復元した分割ディスクとIDが異なるため、読み飛ばします。\n\n";
inline constexpr const char* kFolderRestoredAlready =
    "次のフォルダーのディスクは復元済みのため、読み飛ばします。\n\n";

// A disk the run cannot read as one of a set: the question asks for another disk, then the
// disk folder and what is wrong with it.
inline constexpr const char* kNotASetDisk = "このディスクは分割ディスクとして読めないため、読み飛ば"
                                            "します。\n次のディスクを入れてください\n\n";
// The same for a folder of disks read side by side, which is passed over without a question.
inline constexpr const char* kFolderWithoutSet =
    "次のフォルダーは分割ディスクとして読めないため、読み飛ばします。\n\n";
inline constexpr const char* kNoFolderWithSet =
    "指定されたフォルダーのどれにも、読める分割ディスクがありません。";
// Restoring onto the drive whose disks are swapped: the restore folder's path follows.
inline constexpr const char* kRestoreOntoSwappedDrive =
    "復元先フォルダーが、分割ディスクを入れ換えるドライブの上にあります。\nディスクを入れ換えると"
    "復元先も取り出されるため、復元を中止します。\n\n";

// What the run adds where a set cannot be restored as it stands.
inline constexpr const char* kSetWithoutFiles =
    "この分割ディスクには、復元するファイルがありません。";
// "インデックスの " + row number + " 件目 ... " + the row + " ... 中止します。"
inline constexpr const char* kUnsafeRowBefore = "インデックスの ";
inline constexpr const char* kUnsafeRowAfter =
    " 件目のファイルは、復元先フォルダーの外を指すか、使えない名前です。\n\n";
inline constexpr const char* kUnsafeRowEnd = "\n\n復元を中止します。";
// "インデックスの " + row number + " 件目のファイルは、" + earlier row + " 件目と..." + the row
inline constexpr const char* kSameRowMiddle = " 件目のファイルは、";
inline constexpr const char* kSameRowAfter = " 件目と同じフォルダーと名前です。\n\n";
inline constexpr const char* kCopyFailed = "ファイルをコピーできませんでした。\n\n";
inline constexpr const char* kCopyFrom = "コピー元 : ";
inline constexpr const char* kCopyTo = "\nコピー先 : ";
inline constexpr const char* kCopyReason = "\n\n理由 : ";
// The closing message of a run ended by Abort once files were being restored.
inline constexpr const char* kRestoreAborted = "復元を中止しました。";
// Why a stored file that changed while it was read is not restored.
inline constexpr const char* kReasonStoredFileChanged =
    "コピーの途中で、ファイルの大きさが変わりました。";
// Why a stored file whose bytes do not hash to the digest the disk records is not restored.
inline constexpr const char* kReasonContentMismatch =
    "内容がディスクに記録された値と一致しません。ディスクが傷んでいるおそれがあります。";
// Appended to the closing message once when a disk of the set carries no checksums (a set of
// an older version), or they cannot be read: its files came back unchecked.
inline constexpr const char* kNoChecksums =
    "\n\nこのセットのディスクにはチェックサムがないため、内容を検査せずに復元しました。";
inline constexpr const char* kChecksumsUnreadable =
    "\n\n次のディスクのチェックサムを読み込めなかったため、その内容は検査せずに復元しました。";
// Appended to the closing message: a count, then the names.
inline constexpr const char* kNotCopiedBefore = "\n\nコピーできなかったファイルが ";
inline constexpr const char* kNotFoundBefore = "\n\nどのディスクにもなかったファイルが ";
inline constexpr const char* kNotRestoredBefore = "\n\n復元されなかったファイルが ";
// Files whose names the restore folder already held, often because its file system does not
// tell letter case apart: each named as the index names it, the arrow, and the name it got.
inline constexpr const char* kRenamedBefore =
    "\n\n復元先に同じ名前のファイルがあったため、別の名前で復元したファイルが ";
inline constexpr const char* kRenamedArrow = " → ";
// Before a restore into a folder whose file system does not tell letter case apart: a count,
// then each pair of names as first + kCaseClashAnd + second.
inline constexpr const char* kCaseClashesBefore =
    "復元先は大文字と小文字を区別しないディスクのため、大文字と小文字だけが違う名前が ";
inline constexpr const char* kCaseClashesAfter =
    " 組あります。\n復元すると、あとのファイルは別の名前になります。";
inline constexpr const char* kCaseClashAnd = " と ";
inline constexpr const char* kCaseClashesMoreAfter = " 組";
inline constexpr const char* kFilesAfter = " 個あります。";
inline constexpr const char* kMoreBefore = "\nほか ";
inline constexpr const char* kMoreAfter = " 個";

} // namespace arbolink::msg
