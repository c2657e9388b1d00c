// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the split planning shows, each in exactly one place.

namespace arbolink::msg {

inline constexpr const char* kTooManyCopyFiles = "複写ファイルが多すぎます";
inline constexpr const char* kTooManyCopyFilesAlloc = "複写ファイルが多すぎます。";
inline constexpr const char* kTooManyFiles = "ファイルが多すぎます。";
inline constexpr const char* kCancelled = "途中でキャンセルされました。";
inline constexpr const char* kFileTooLarge =
    "　　　　一枚に入りきらないファイルがあります\n\nこのソフトは、１つのファイルの分割をサポート"
    "していません\n\n　　　　　　　　分割を中止します";
// The file that no disk takes goes in place of %s.
inline constexpr const char* kFileTooLargeNamed =
    "　　　　一枚に入りきらないファイルがあります\n\n%s\n\nこのソフトは、１つのファイルの分割を"
    "サポートしていません\n\n　　　　　　　　分割を中止します";
// Every disk carries the list of the whole set: the number of files, then the bytes a disk
// would have to offer.
inline constexpr const char* kIndexTooLarge =
    "セットのファイルの一覧（%lld 個のファイル）が大きすぎて、一枚のディスクに入りきりません\n\n"
    "一覧は、どのディスクにも入れます。一枚に %lld バイト使えるディスクなら分割できます。\n"
    "ファイルを減らすか、大きなディスクを使ってください\n\n　　　　　　　　分割を中止します";

inline constexpr const char* kPlanningCaption = "準備中．．．";
inline constexpr const char* kPlanningMessage = "ディスクの必要枚数を\n\n確認しています";
inline constexpr const char* kStageWalk = "ファイルをチェック中";
inline constexpr const char* kStageSort = "ファイルをソート中";
inline constexpr const char* kStageSameNames = "同名ファイルのチェック中";
inline constexpr const char* kStageAssign = "ファイルの分割中";

inline constexpr const char* kProgramRowFolder = "main body";

// The list of what the walk leaves behind, shown once before the disk-count question.
inline constexpr const char* kNotCarriedHeader = "次のものは分割されません（%d 件）。\n";
inline constexpr const char* kNotCarriedMore = "ほか %d 件";
inline constexpr const char* kReasonLinkToFolder = "フォルダーへのリンク";
inline constexpr const char* kReasonDanglingLink = "リンク先がありません";
inline constexpr const char* kReasonLinkLoop = "リンクが循環しています";
inline constexpr const char* kReasonSpecialFile = "特殊ファイル";
inline constexpr const char* kReasonUnreadableFolder = "読み取れないフォルダー";
inline constexpr const char* kReasonPathTooLong = "パスが長すぎます";
inline constexpr const char* kReasonLineBreakInName = "名前に改行が含まれています";
inline constexpr const char* kReasonSeparatorInFolderName = "フォルダー名に \\ が含まれています";
inline constexpr const char* kReasonNotUtf8Name = "名前の文字コードが UTF-8 ではありません";
inline constexpr const char* kReasonNotRestorableName =
    "名前に \\ が含まれているか、ドライブ名（C: など）で始まっています";

// The split command's checks and questions.
inline constexpr const char* kSetSource = "複写元フォルダーを設定してください";
inline constexpr const char* kNoSourceDisk = "複写元のディスクがありません。\n\n確認してください。";
inline constexpr const char* kCreateSource =
    "指定された複写元フォルダーがありません\n\n新規作成しますか";
inline constexpr const char* kCdRefused = "CD-ROMには、分割することはできません。";
inline constexpr const char* kSetDestination = "分割先フォルダーを設定してください。";
inline constexpr const char* kNoDestinationDisk =
    "分割先のディスクがありません。\n\n確認してください。";
inline constexpr const char* kCreateDestination =
    "指定された分割先フォルダーがありません\n\n新規作成しますか";
inline constexpr const char* kDriveUnreadable =
    "指定ドライブの情報が読み取れませんでしたので、分割を中止します。";
inline constexpr const char* kEmptyRemovable =
    "分割先のフォルダー以下にフォルダかファイルがありますが、\n\n全削除してもかまいませんか？";
inline constexpr const char* kHardDiskHasEntries =
    "分割先のフォルダー以下にフォルダかファイルがありますが、\n\nハードディスクですので、削除す"
    "る場合は手作業でしてください。\n\n\nこのままで分割を開始しますか？";
inline constexpr const char* kDeleted = "削除完了しました。";
inline constexpr const char* kDeleteFailed = "全削除に失敗しました。";
// The disk count goes between the two parts: "ディスクを 3 枚、用意してください".
inline constexpr const char* kPrepareDisksBefore = "ディスクを ";
inline constexpr const char* kPrepareDisksAfter = " 枚、用意してください";

// Where the command refuses what would lose or spoil data.
// Followed by the folder's path.
inline constexpr const char* kCreateFolderFailed = "フォルダーを作成できませんでした。\n\n";
inline constexpr const char* kFoldersOverlap =
    "複写元フォルダーと分割先フォルダーが重なっています。\n\n分割先を全削除すると複写元のファイ"
    "ルも消えるため、分割を中止します。";
inline constexpr const char* kDestinationInSource =
    "分割先フォルダーが複写元フォルダーの中にあります。\n\n分割したファイルが複写元に入ってし"
    "まうため、分割を中止します。";
// The file's path goes between the two parts.
inline constexpr const char* kFileTooLargeForDisk =
    "次のファイルは、分割先のファイルシステムが扱える大きさを超えています。\n\n";
inline constexpr const char* kDivideStopped = "\n\n分割を中止します";

} // namespace arbolink::msg
