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

// A restore from folders rebuilding a data disk not given: its number, then the folder.
inline constexpr const char* kRebuildingForRestore =
    "ディスク %d がないため、復旧用ディスクから作り直して読みます: %s";
// The disk, then why it could not be rebuilt; its files are named among those not restored.
inline constexpr const char* kNotRebuiltForRestore = "ディスク %d は作り直せませんでした。%s";

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
