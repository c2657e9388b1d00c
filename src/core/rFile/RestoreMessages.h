// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the restore command and the restore run show, each in exactly one place. Texts the
// divide shows as well are named here after the divide's own.

#include "core/divide/DivideMessages.h"
#include "core/wFile/WriteMessages.h"

namespace arbolink::msg {

// The restore command.
ARBOLINK_PHRASE(kSetDiskFolder, "分割先フォルダーを設定してください",
                "Please set the split destination folder");
inline constexpr const Phrase& kNoDiskFolderDrive = kNoDestinationDisk;
ARBOLINK_PHRASE(
    kDisksInRestoreFolder,
    "復元先フォルダーと分割ディスクのフォルダーが重なっています。\n\n復元先を全削除したり上書き"
    "したりすると分割ディスクのファイルも消えるため、復元を中止します。",
    "The restore destination folder and the folder of the split disks overlap.\n\nEmptying or "
    "overwriting the destination would delete files of the split disks too, so restoring stops.");
inline constexpr const Phrase& kCreateDiskFolder = kCreateDestination;
ARBOLINK_PHRASE(kSetRestoreFolder, "復元先フォルダーを設定してください",
                "Please set the restore destination folder");
ARBOLINK_PHRASE(kNoRestoreOntoCd, "CD-ROMには、復元することはできません。",
                "Cannot restore onto a CD-ROM.");
ARBOLINK_PHRASE(kNoRestoreDrive, "復元先のディスクがありません。\n\n確認してください。",
                "The restore destination disk is not there.\n\nPlease check it.");
ARBOLINK_PHRASE(kCreateRestoreFolder, "指定された復元先フォルダーがありません\n\n新規作成しますか",
                "The restore destination folder does not exist.\n\nCreate it?");
ARBOLINK_PHRASE(
    kEmptyRemovableRestoreFolder,
    "復元先のフォルダー以下にフォルダかファイルがありますが、\n\n全削除してもかまいませんか？",
    "The restore destination folder holds folders or files.\n\nDelete them all?");
ARBOLINK_PHRASE(kOverwriteAll, "この場合、すべて上書きになります。\n\n　　よろしいですか？",
                "In that case, everything will be overwritten.\n\n  Continue?");
ARBOLINK_PHRASE(
    kKeepHardDiskRestoreFolder,
    "復元先のフォルダー以下にフォルダかファイルがありますが、\n\nハードディスクですので、削除する"
    "場合は手作業でしてください。\n\n\nこのままで復元を開始しますか？",
    "The restore destination folder holds folders or files.\n\nIt is on a hard disk: delete them "
    "by hand if you want them gone.\n\n\nStart restoring anyway?");
// A restore folder the run could not write to, then its path.
ARBOLINK_PHRASE(kRestoreFolderIsFile,
                "指定された復元先はファイルです。フォルダーを指定してください\n\n",
                "The restore destination is a file. Please choose a folder\n\n");
ARBOLINK_PHRASE(
    kRestoreFolderNotCreated,
    "復元先フォルダーを作成できませんでした。書き込みのできるディスクか確認してください\n\n",
    "The restore destination folder could not be created. Check that the disk can be written "
    "to\n\n");
ARBOLINK_PHRASE(kRestoreFolderReadOnly,
                "復元先フォルダーに書き込めません。書き込みのできるディスクか確認してください\n\n",
                "The restore destination folder cannot be written to. Check that the disk can be "
                "written to\n\n");
inline constexpr const Phrase& kEmptied = kDeleted;
inline constexpr const Phrase& kEmptyingFailed = kDeleteFailed;

// The restore run.
inline constexpr const Phrase& kNoDiskInDrive = kNoDisk;
ARBOLINK_PHRASE(kNoSetFiles, "Index Data が見つかりません\nディスクを確認してください",
                "Index Data not found\nPlease check the disk");
ARBOLINK_PHRASE(
    kOtherSet,
    "最初に復元するのに使用した分割ディスクとIDが異なります。\n正しいディスクを入れてください",
    "This disk's ID differs from that of the split disk the restore began with.\nPlease insert the "
    "right disk");
// The number of disks still to come.
ARBOLINK_PHRASE(kSwapDiskLeft, "ディスクを入れ換えてください\n\nあと %1 枚です",
                "Please change the disk\n\nDisks to go: %1");
ARBOLINK_PHRASE(kRestoreCaption, "復元中．．．", "Restoring...");
inline constexpr const char* kFromLabel = "From : ";
inline constexpr const char* kToLabel = "  To : ";
inline constexpr const Phrase& kRestoreFinished = kCopyFinished;
// Disks read from folders side by side: a folder the run passes over, then its path.
ARBOLINK_PHRASE(
    kFolderOfOtherSet,
    "次のフォルダーは、最初に復元した分割ディスクとIDが異なるため、読み飛ばします。\n\n",
    "The following folder's ID differs from that of the split disk restored first, so it is "
    "skipped.\n\n");
ARBOLINK_PHRASE(
    kFolderRestoredAlready, "次のフォルダーのディスクは復元済みのため、読み飛ばします。\n\n",
    "The disk in the following folder has been restored already, so it is skipped.\n\n");

// A disk the run cannot read as one of a set: the question asks for another disk, then the
// disk folder and what is wrong with it.
ARBOLINK_PHRASE(
    kNotASetDisk,
    "このディスクは分割ディスクとして読めないため、読み飛ば"
    "します。\n次のディスクを入れてください\n\n",
    "This disk cannot be read as a split disk, so it is skipped.\nPlease insert the next disk\n\n");
// The same for a folder of disks read side by side, which is passed over without a question.
ARBOLINK_PHRASE(kFolderWithoutSet,
                "次のフォルダーは分割ディスクとして読めないため、読み飛ばします。\n\n",
                "The following folder cannot be read as a split disk, so it is skipped.\n\n");
ARBOLINK_PHRASE(kNoFolderWithSet,
                "指定されたフォルダーのどれにも、読める分割ディスクがありません。",
                "None of the given folders holds a readable split disk.");
// Restoring onto the drive whose disks are swapped: the restore folder's path follows.
ARBOLINK_PHRASE(
    kRestoreOntoSwappedDrive,
    "復元先フォルダーが、分割ディスクを入れ換えるドライブの上にあります。\nディスクを入れ換えると"
    "復元先も取り出されるため、復元を中止します。\n\n",
    "The restore destination folder is on the drive where the split disks are changed.\nChanging "
    "disks would take the destination away too, so restoring stops.\n\n");

// What the run adds where a set cannot be restored as it stands.
ARBOLINK_PHRASE(kSetWithoutFiles, "この分割ディスクには、復元するファイルがありません。",
                "This split disk has no files to restore.");
// An index row that would leave the restore folder or names what cannot be made: its row
// number, then the row.
ARBOLINK_PHRASE(
    kUnsafeRow,
    "インデックスの %1 件目のファイルは、復元先フォルダーの外を指すか、使えない名前です。"
    "\n\n%2\n\n復元を中止します。",
    "File %1 of the index points outside the restore destination folder or has a name "
    "that cannot be used.\n\n%2\n\nRestoring stopped.");
// Two rows of the same folder and name: the row number, the earlier row's number, the row.
ARBOLINK_PHRASE(kSameRow,
                "インデックスの %1 件目のファイルは、%2 件目と同じフォルダーと名前です。\n\n%3\n\n"
                "復元を中止します。",
                "File %1 of the index has the same folder and name as file %2.\n\n%3\n\n"
                "Restoring stopped.");
// A stored file that could not be copied back: where from, where to, and why.
ARBOLINK_PHRASE(kCopyFailed,
                "ファイルをコピーできませんでした。\n\nコピー元 : %1\nコピー先 : %2\n\n理由 : %3",
                "The file could not be copied.\n\nFrom : %1\nTo : %2\n\nReason : %3");
// The closing message of a run ended by Abort once files were being restored.
ARBOLINK_PHRASE(kRestoreAborted, "復元を中止しました。", "Restoring was stopped.");
// Why a stored file that changed while it was read is not restored.
ARBOLINK_PHRASE(kReasonStoredFileChanged, "コピーの途中で、ファイルの大きさが変わりました。",
                "The file's size changed while it was being copied.");
// Why a stored file whose bytes do not hash to the digest the disk records is not restored.
ARBOLINK_PHRASE(
    kReasonContentMismatch,
    "内容がディスクに記録された値と一致しません。ディスクが傷んでいるおそれがあります。",
    "The content does not match the value recorded on the disk. The disk may be damaged.");
// Appended to the closing message once when a disk of the set carries no checksums (a set of
// an older version), or they cannot be read: its files came back unchecked.
ARBOLINK_PHRASE(
    kNoChecksums,
    "\n\nこのセットのディスクにはチェックサムがないため、内容を検査せずに復元しました。",
    "\n\nThe disks of this set have no checksums, so their content was restored without being "
    "checked.");
ARBOLINK_PHRASE(
    kChecksumsUnreadable,
    "\n\n次のディスクのチェックサムを読み込めなかったため、その内容は検査せずに復元しました。",
    "\n\nThe checksums of the following disk could not be read, so its content was restored "
    "without being checked.");
// Appended to the closing message: a count, then the names.
ARBOLINK_PHRASE(kNotCopiedFiles, "\n\nコピーできなかったファイルが %1 個あります。",
                "\n\nFiles that could not be copied: %1");
ARBOLINK_PHRASE(kNotFoundFiles, "\n\nどのディスクにもなかったファイルが %1 個あります。",
                "\n\nFiles found on no disk: %1");
ARBOLINK_PHRASE(kNotRestoredFiles, "\n\n復元されなかったファイルが %1 個あります。",
                "\n\nFiles not restored: %1");
// Files whose names the restore folder already held, often because its file system does not
// tell letter case apart: each named as the index names it, the arrow, and the name it got.
ARBOLINK_PHRASE(kRenamedFiles,
                "\n\n復元先に同じ名前のファイルがあったため、別の名前で復元したファイルが %1 "
                "個あります。",
                "\n\nFiles restored under another name because the restore destination held a file "
                "of the same name: %1");
inline constexpr const char* kRenamedArrow = " → ";
// Before a restore into a folder whose file system does not tell letter case apart: a count,
// then each pair of names as kCaseClashAnd, then how many more pairs there are.
ARBOLINK_PHRASE(
    kCaseClashes,
    "復元先は大文字と小文字を区別しないディスクのため、大文字と小文字だけが違う名前が %1 "
    "組あります。\n復元すると、あとのファイルは別の名前になります。",
    "The restore destination does not tell upper and lower case apart. Pairs of names "
    "that differ only in case: %1\nOn restoring, the later file of each pair gets "
    "another name.");
ARBOLINK_PHRASE(kCaseClashAnd, "%1 と %2", "%1 and %2");
ARBOLINK_PHRASE(kMoreCaseClashes, "\nほか %1 組", "\nand %1 more pairs");
// After the names a list shows: how many more files it holds.
ARBOLINK_PHRASE(kMoreFiles, "\nほか %1 個", "\nand %1 more");

} // namespace arbolink::msg
