// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts about recovery disks, each in exactly one place.

namespace arbolink::msg {

// The disk-count question with recovery disks: "ディスクを 3 枚と復旧用ディスクを 2 枚、用意して
// ください"; the data disks' count goes before it, the recovery disks' count after it.
inline constexpr const char* kPrepareRecoveryDisks = " 枚と復旧用ディスクを ";
// Follows the recovery disk's number: "復旧用ディスク 1 枚目を入れてください。".
inline constexpr const char* kInsertRecoveryDiskBefore = "復旧用ディスク ";
inline constexpr const char* kInsertRecoveryDiskAfter = " 枚目を入れてください。";
// A plan of more disks than the code takes: the largest number of data disks, then the plan's.
inline constexpr const char* kTooManyDisksForRecovery =
    "復旧用ディスクを %d 枚付けられるのは、データのディスクが %d 枚までのセットです。\n"
    "このセットには %d 枚のディスクが要ります。\n\n"
    "復旧用ディスクを減らすか、容量の大きいディスクを使ってください。";
// The cache folder, the bytes needed there, then the bytes free.
inline constexpr const char* kRecoveryCacheTooSmall =
    "復旧用ディスクの作業ファイルを置く場所が足りません。\n\n%s\n\n"
    "%lld バイトの空きが必要ですが、%lld バイトしか空いていません。";
// The cache folder, then the reason.
inline constexpr const char* kRecoveryCacheUnusable =
    "復旧用ディスクの作業ファイルを作れませんでした。\n\n%s\n\n%s";
inline constexpr const char* kRecoveryCaption = "復旧用ディスクを作成中．．．";
// A line of the closing message when the recovery disks could not be made: the reason follows.
inline constexpr const char* kNoRecoveryDisks = "復旧用ディスクは作られていません";
inline constexpr const char* kReasonParityReadBack =
    "読み返したディスクの内容が書き込んだものと一致しませんでした";
// A parity piece or the recovery header could not be written: its path, then the reason.
inline constexpr const char* kRecoveryFileNotWritten =
    "復旧用ディスクのファイルを書き込めませんでした。\n\n%s\n\n%s";
// Recovery disks asked for in a build without the erasure code.
inline constexpr const char* kRecoveryNotBuilt =
    "このプログラムは復旧用ディスクを作れません（ISA-L なしで作られています）";

// Rebuilding a disk of a set.
inline constexpr const char* kNoRecoveryDiskGiven =
    "復旧用ディスクがありません。ディスクを作り直すには、セットの復旧用ディスクが一枚は要ります";
// The disk asked for, then the number of disks of the set.
inline constexpr const char* kNoSuchDisk =
    "ディスク %d はこのセットにありません（データのディスクと復旧用ディスクで %d 枚のセットです）";
// The disks given, then the disks needed.
inline constexpr const char* kTooFewDisks =
    "ディスクが足りません。作り直すには、ほかのディスクが %d 枚要りますが、%d 枚しかありません";
// A file of a given disk that cannot be read: its path, then the reason.
inline constexpr const char* kRebuildReadFailed = "ファイルを読めませんでした。\n\n%s\n\n%s";
// A file the rebuild wrote whose bytes are not the ones the set recorded: its name.
inline constexpr const char* kRebuiltMismatch =
    "作り直したファイル「%s」の内容が、セットに記録された値と一致しません。"
    "元にしたディスクのどれかが傷んでいます";
// The folder, then the reason.
inline constexpr const char* kRebuildWriteFailed = "書き込めませんでした。\n\n%s\n\n%s";
inline constexpr const char* kRebuildTargetNotEmpty =
    "作り直す先のフォルダーが空ではありません: %s";
inline constexpr const char* kRebuildDone = "ディスク %d を作り直しました: %s";

// Making again the files a restore could not bring back.
inline constexpr const char* kRecoveryMapMismatch =
    "復旧用ディスクのファイル一覧が、このセットの索引と合いません。別のセットの復旧用ディスクか、"
    "傷んだディスクです";
// Why a lost file was not made again, each after its name.
inline constexpr const char* kReasonNeverWritten = "分割のときにどのディスクにも書かれていません";
inline constexpr const char* kReasonRebuiltMismatch =
    "作り直した内容がセットに記録された値と一致しません。元にしたディスクのどれかが傷んでいます";
// The data disks missing at the file's place, then the recovery disks that were read there.
inline constexpr const char* kReasonTooManyLost =
    "同じ位置のデータを持つディスクが %d 枚欠けていて、読めた復旧用ディスクは %d 枚です";
inline constexpr const char* kReasonRebuildStopped = "作り直しを途中でやめました";
inline constexpr const char* kAskRebuild =
    "復元できなかったファイルを、復旧用ディスクとほかのディスクから作り直しますか？";
inline constexpr const char* kRebuildCaption = "ファイルを作り直し中．．．";
// The disks that would still help, as kDiskLabel and kRecoveryDiskLabel joined by "、".
inline constexpr const char* kInsertDiskForRebuild =
    "作り直しに使うディスクを入れてください。\n\nまだ使えるディスク: %s";
inline constexpr const char* kDiskLabel = "ディスク %d";
inline constexpr const char* kRecoveryDiskLabel = "復旧用ディスク %d";
inline constexpr const char* kDiskNotNeeded =
    "このディスクは作り直しに使いません（もう読んだか、作り直すファイルの位置に何もありません）。";
inline constexpr const char* kDiskNotOfSet = "このディスクは、このセットのディスクではありません。";
// The closing message: the count of files made again follows "\n\n" and goes before this.
inline constexpr const char* kRebuiltNoteAfter =
    " 個のファイルを、復旧用ディスクを使って作り直しました。";
inline constexpr const char* kAllLostRebuilt = "復元できなかったファイルを、すべて作り直しました。";
inline constexpr const char* kRebuildEnded = "作り直しを終えました。";
// A count, then each file with why it was not made again.
inline constexpr const char* kNotRebuiltBefore = "\n\n作り直せなかったファイルが ";

// What verify finds of a set with recovery disks: the disks to rebuild, as "3, 5".
inline constexpr const char* kSetRebuildable =
    "ディスク %s は、ほかのディスクから作り直せます（arbolink-cli rebuild）";
// The recovery disks the rebuild of the data disks uses, as "1, 2".
inline constexpr const char* kRebuildUses = "使う復旧用ディスク: %s";
// The disks to rebuild, then the sound disks needed and those at hand.
inline constexpr const char* kSetNotRebuildable =
    "ディスク %s は作り直せません。作り直すには傷んでいないディスクが %d 枚要りますが、%d 枚しか"
    "ありません";

} // namespace arbolink::msg
