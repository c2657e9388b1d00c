// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the split planning shows, each in exactly one place.

#include "core/Phrase.h"

namespace arbolink::msg {

ARBOLINK_PHRASE(kTooManyCopyFiles, "複写ファイルが多すぎます", "Too many files to copy");
ARBOLINK_PHRASE(kTooManyCopyFilesAlloc, "複写ファイルが多すぎます。", "Too many files to copy.");
ARBOLINK_PHRASE(kTooManyFiles, "ファイルが多すぎます。", "Too many files.");
ARBOLINK_PHRASE(kCancelled, "途中でキャンセルされました。", "Cancelled.");
ARBOLINK_PHRASE(
    kFileTooLarge,
    "　　　　一枚に入りきらないファイルがあります\n\nこのソフトは、１つのファイルの分割をサポート"
    "していません\n\n　　　　　　　　分割を中止します",
    "A file does not fit on one disk.\n\nThis program does not split a single file across "
    "disks.\n\nDividing stopped.");
// The file that no disk takes goes in place of %1.
ARBOLINK_PHRASE(
    kFileTooLargeNamed,
    "　　　　一枚に入りきらないファイルがあります\n\n%1\n\nこのソフトは、１つのファイルの分割を"
    "サポートしていません\n\n　　　　　　　　分割を中止します",
    "A file does not fit on one disk.\n\n%1\n\nThis program does not split a single file across "
    "disks.\n\nDividing stopped.");
// Every disk carries the list of the whole set: the number of files, then the bytes a disk
// would have to offer.
ARBOLINK_PHRASE(
    kIndexTooLarge,
    "セットのファイルの一覧（%1 個のファイル）が大きすぎて、一枚のディスクに入りきりません\n\n"
    "一覧は、どのディスクにも入れます。一枚に %2 バイト使えるディスクなら分割できます。\n"
    "ファイルを減らすか、大きなディスクを使ってください\n\n　　　　　　　　分割を中止します",
    "The list of the set's files (%1 files) is too large to fit on one disk.\n\nEvery disk carries "
    "the list. Disks with %2 usable each would do.\nUse fewer files or larger disks.\n\nDividing "
    "stopped.");

ARBOLINK_PHRASE(kPlanningCaption, "準備中．．．", "Preparing...");
ARBOLINK_PHRASE(kPlanningMessage, "ディスクの必要枚数を\n\n確認しています",
                "Counting the disks\nthat are needed");
ARBOLINK_PHRASE(kStageWalk, "ファイルをチェック中", "Checking files");
ARBOLINK_PHRASE(kStageSort, "ファイルをソート中", "Sorting files");
ARBOLINK_PHRASE(kStageSameNames, "同名ファイルのチェック中", "Checking for same names");
ARBOLINK_PHRASE(kStageAssign, "ファイルの分割中", "Assigning files to disks");

inline constexpr const char* kProgramRowFolder = "main body";

// The list of what the walk leaves behind, shown once before the disk-count question.
ARBOLINK_PHRASE(kNotCarriedHeader, "次のものは分割されません（%1 件）。\n",
                "The following will not be divided (%1 in all).\n");
ARBOLINK_PHRASE(kNotCarriedMore, "ほか %1 件", "and %1 more");
ARBOLINK_PHRASE(kReasonLinkToFolder, "フォルダーへのリンク", "link to a folder");
ARBOLINK_PHRASE(kReasonDanglingLink, "リンク先がありません", "link target missing");
ARBOLINK_PHRASE(kReasonLinkLoop, "リンクが循環しています", "link loop");
ARBOLINK_PHRASE(kReasonSpecialFile, "特殊ファイル", "special file");
ARBOLINK_PHRASE(kReasonUnreadableFolder, "読み取れないフォルダー", "folder cannot be read");
ARBOLINK_PHRASE(kReasonPathTooLong, "パスが長すぎます", "path too long");
ARBOLINK_PHRASE(kReasonLineBreakInName, "名前に改行が含まれています", "name contains a line break");
ARBOLINK_PHRASE(kReasonSeparatorInFolderName, "フォルダー名に \\ が含まれています",
                "folder name contains \\");
ARBOLINK_PHRASE(kReasonNotUtf8Name, "名前の文字コードが UTF-8 ではありません",
                "name is not in UTF-8");
ARBOLINK_PHRASE(kReasonNotRestorableName,
                "名前に \\ が含まれているか、ドライブ名（C: など）で始まっています",
                "name contains \\ or starts with a drive (such as C:)");

// The split command's checks and questions.
ARBOLINK_PHRASE(kSetSource, "複写元フォルダーを設定してください",
                "Please set the copy source folder");
ARBOLINK_PHRASE(kNoSourceDisk, "複写元のディスクがありません。\n\n確認してください。",
                "The copy source disk is not there.\n\nPlease check it.");
ARBOLINK_PHRASE(kCreateSource, "指定された複写元フォルダーがありません\n\n新規作成しますか",
                "The copy source folder does not exist.\n\nCreate it?");
ARBOLINK_PHRASE(kCdRefused, "CD-ROMには、分割することはできません。",
                "Cannot divide onto a CD-ROM.");
ARBOLINK_PHRASE(kSetDestination, "分割先フォルダーを設定してください。",
                "Please set the split destination folder.");
ARBOLINK_PHRASE(kNoDestinationDisk, "分割先のディスクがありません。\n\n確認してください。",
                "The split destination disk is not there.\n\nPlease check it.");
ARBOLINK_PHRASE(kCreateDestination, "指定された分割先フォルダーがありません\n\n新規作成しますか",
                "The split destination folder does not exist.\n\nCreate it?");
ARBOLINK_PHRASE(kDriveUnreadable,
                "指定ドライブの情報が読み取れませんでしたので、分割を中止します。",
                "The drive's information could not be read, so dividing stops.");
ARBOLINK_PHRASE(
    kEmptyRemovable,
    "分割先のフォルダー以下にフォルダかファイルがありますが、\n\n全削除してもかまいませんか？",
    "The split destination folder holds folders or files.\n\nDelete them all?");
ARBOLINK_PHRASE(
    kHardDiskHasEntries,
    "分割先のフォルダー以下にフォルダかファイルがありますが、\n\nハードディスクですので、削除す"
    "る場合は手作業でしてください。\n\n\nこのままで分割を開始しますか？",
    "The split destination folder holds folders or files.\n\nIt is on a hard disk: delete them by "
    "hand if you want them gone.\n\n\nStart dividing anyway?");
ARBOLINK_PHRASE(kDeleted, "削除完了しました。", "Deleted.");
ARBOLINK_PHRASE(kDeleteFailed, "全削除に失敗しました。", "Could not delete everything.");
// The disk count: "ディスクを 3 枚、用意してください".
ARBOLINK_PHRASE(kPrepareDisks, "ディスクを %1 枚、用意してください",
                "Disks needed: %1. Please have them ready.");

// Where the command refuses what would lose or spoil data.
// Followed by the folder's path.
ARBOLINK_PHRASE(kCreateFolderFailed, "フォルダーを作成できませんでした。\n\n",
                "The folder could not be created.\n\n");
ARBOLINK_PHRASE(
    kFoldersOverlap,
    "複写元フォルダーと分割先フォルダーが重なっています。\n\n分割先を全削除すると複写元のファイ"
    "ルも消えるため、分割を中止します。",
    "The copy source folder and the split destination folder overlap.\n\nEmptying the destination "
    "would delete source files too, so dividing stops.");
ARBOLINK_PHRASE(
    kDestinationInSource,
    "分割先フォルダーが複写元フォルダーの中にあります。\n\n分割したファイルが複写元に入ってし"
    "まうため、分割を中止します。",
    "The split destination folder is inside the copy source folder.\n\nThe divided files would end "
    "up in the source, so dividing stops.");
// The file's path goes between the two parts.
ARBOLINK_PHRASE(
    kFileTooLargeForDisk,
    "次のファイルは、分割先のファイルシステムが扱える大きさを超えています。\n\n",
    "The following file is larger than the split destination's file system can hold.\n\n");
ARBOLINK_PHRASE(kDivideStopped, "\n\n分割を中止します", "\n\nDividing stopped");

} // namespace arbolink::msg
