// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts about recovery disks, each in exactly one place.

#include "core/Phrase.h"

namespace arbolink::msg {

// The disk-count question with recovery disks: the data disks' count, then the recovery
// disks' count.
ARBOLINK_PHRASE(kPrepareDisksWithRecovery,
                "ディスクを %1 枚と復旧用ディスクを %2 枚、用意してください",
                "Disks needed: %1, and recovery disks: %2. Please have them ready.");
// The recovery disk's number: "復旧用ディスク 1 枚目を入れてください。".
ARBOLINK_PHRASE(kInsertRecoveryDisk, "復旧用ディスク %1 枚目を入れてください。",
                "Please insert recovery disk %1.");
// A plan of more disks than the code takes: the largest number of data disks, then the plan's.
ARBOLINK_PHRASE(kTooManyDisksForRecovery,
                "復旧用ディスクを %1 枚付けられるのは、データのディスクが %2 枚までのセットです。\n"
                "このセットには %3 枚のディスクが要ります。\n\n"
                "復旧用ディスクを減らすか、容量の大きいディスクを使ってください。",
                "Recovery disks: %1. With these, a set can have at most %2 data disks.\nThis set "
                "needs %3 disks.\n\nUse fewer recovery disks or disks of larger capacity.");
// The cache folder, the bytes needed there, then the bytes free.
ARBOLINK_PHRASE(kRecoveryCacheTooSmall,
                "復旧用ディスクの作業ファイルを置く場所が足りません。\n\n%1\n\n"
                "%2 バイトの空きが必要ですが、%3 バイトしか空いていません。",
                "There is not enough room for the recovery disks' work files.\n\n%1\n\n%2 of free "
                "space is needed, but only %3 is free.");
// The cache folder, then the reason.
ARBOLINK_PHRASE(kRecoveryCacheUnusable,
                "復旧用ディスクの作業ファイルを作れませんでした。\n\n%1\n\n%2",
                "The recovery disks' work files could not be created.\n\n%1\n\n%2");
ARBOLINK_PHRASE(kRecoveryCaption, "復旧用ディスクを作成中．．．", "Making recovery disks...");
// A line of the closing message when the recovery disks could not be made: the reason follows.
ARBOLINK_PHRASE(kNoRecoveryDisks, "復旧用ディスクは作られていません",
                "The recovery disks were not made");
ARBOLINK_PHRASE(kReasonParityReadBack,
                "読み返したディスクの内容が書き込んだものと一致しませんでした",
                "the content read back from the disk does not match what was written");
// A parity piece or the recovery header could not be written: its path, then the reason.
ARBOLINK_PHRASE(kRecoveryFileNotWritten,
                "復旧用ディスクのファイルを書き込めませんでした。\n\n%1\n\n%2",
                "A file of the recovery disks could not be written.\n\n%1\n\n%2");
// Recovery disks asked for in a build without the erasure code.
ARBOLINK_PHRASE(kRecoveryNotBuilt,
                "このプログラムは復旧用ディスクを作れません（ISA-L なしで作られています）",
                "This program cannot make recovery disks (it was built without ISA-L)");

// Rebuilding a disk of a set.
ARBOLINK_PHRASE(
    kNoRecoveryDiskGiven,
    "復旧用ディスクがありません。ディスクを作り直すには、セットの復旧用ディスクが一枚は要ります",
    "No recovery disk given. Rebuilding a disk needs at least one recovery disk of the set");
// The disk asked for, then the number of disks of the set.
ARBOLINK_PHRASE(
    kNoSuchDisk,
    "ディスク %1 はこのセットにありません（データのディスクと復旧用ディスクで %2 枚のセットです）",
    "Disk %1 is not in this set (the set has %2 disks, data and recovery disks together)");
// The disks given, then the disks needed.
ARBOLINK_PHRASE(
    kTooFewDisks,
    "ディスクが足りません。作り直すには、ほかのディスクが %1 枚要りますが、%2 枚しかありません",
    "Not enough disks. Other disks needed for rebuilding: %1; disks given: %2");
// A file of a given disk that cannot be read: its path, then the reason.
ARBOLINK_PHRASE(kRebuildReadFailed, "ファイルを読めませんでした。\n\n%1\n\n%2",
                "The file could not be read.\n\n%1\n\n%2");
// A file the rebuild wrote whose bytes are not the ones the set recorded: its name.
ARBOLINK_PHRASE(kRebuiltMismatch,
                "作り直したファイル「%1」の内容が、セットに記録された値と一致しません。"
                "元にしたディスクのどれかが傷んでいます",
                "The content of the rebuilt file \"%1\" does not match the value recorded for the "
                "set. One of the disks it was made from is damaged");
// The folder, then the reason.
ARBOLINK_PHRASE(kRebuildWriteFailed, "書き込めませんでした。\n\n%1\n\n%2",
                "Could not write.\n\n%1\n\n%2");
ARBOLINK_PHRASE(kRebuildTargetNotEmpty, "作り直す先のフォルダーが空ではありません: %1",
                "The folder to rebuild into is not empty: %1");
ARBOLINK_PHRASE(kRebuildDone, "ディスク %1 を作り直しました: %2", "Disk %1 rebuilt: %2");

// Making again the files a restore could not bring back.
ARBOLINK_PHRASE(
    kRecoveryMapMismatch,
    "復旧用ディスクのファイル一覧が、このセットの索引と合いません。別のセットの復旧用ディスクか、"
    "傷んだディスクです",
    "The recovery disk's list of files does not match this set's index. It is a recovery disk of "
    "another set, or a damaged disk");
// Why a lost file was not made again, each after its name.
ARBOLINK_PHRASE(kReasonNeverWritten, "分割のときにどのディスクにも書かれていません",
                "it was not written on any disk when dividing");
ARBOLINK_PHRASE(
    kReasonRebuiltMismatch,
    "作り直した内容がセットに記録された値と一致しません。元にしたディスクのどれかが傷んでいます",
    "the rebuilt content does not match the value recorded for the set; one of the disks it was "
    "made from is damaged");
// The data disks missing at the file's place, then the recovery disks that were read there.
ARBOLINK_PHRASE(
    kReasonTooManyLost,
    "同じ位置のデータを持つディスクが %1 枚欠けていて、読めた復旧用ディスクは %2 枚です",
    "disks holding data at the same place that are missing: %1; recovery disks that could be "
    "read: %2");
ARBOLINK_PHRASE(kReasonRebuildStopped, "作り直しを途中でやめました", "rebuilding was stopped");
ARBOLINK_PHRASE(
    kAskRebuild, "復元できなかったファイルを、復旧用ディスクとほかのディスクから作り直しますか？",
    "Rebuild the files that could not be restored, from the recovery disks and the other disks?");
ARBOLINK_PHRASE(kRebuildCaption, "ファイルを作り直し中．．．", "Rebuilding files...");
// The disks that would still help, as kDiskLabel and kRecoveryDiskLabel joined by "、".
ARBOLINK_PHRASE(kInsertDiskForRebuild,
                "作り直しに使うディスクを入れてください。\n\nまだ使えるディスク: %1",
                "Please insert a disk to rebuild from.\n\nDisks that can still help: %1");
ARBOLINK_PHRASE(kListSeparator, "、", ", ");
ARBOLINK_PHRASE(kDiskLabel, "ディスク %1", "disk %1");
ARBOLINK_PHRASE(kRecoveryDiskLabel, "復旧用ディスク %1", "recovery disk %1");
ARBOLINK_PHRASE(
    kDiskNotNeeded,
    "このディスクは作り直しに使いません（もう読んだか、作り直すファイルの位置に何もありません）。",
    "This disk is not needed for rebuilding (it was read already, or holds nothing where the files "
    "to rebuild lie).");
ARBOLINK_PHRASE(kDiskNotOfSet, "このディスクは、このセットのディスクではありません。",
                "This disk is not a disk of this set.");
// Appended to the closing message: the count of files made again.
ARBOLINK_PHRASE(kRebuiltNote, "\n\n%1 個のファイルを、復旧用ディスクを使って作り直しました。",
                "\n\nFiles rebuilt from the recovery disks: %1");
ARBOLINK_PHRASE(kAllLostRebuilt, "復元できなかったファイルを、すべて作り直しました。",
                "All files that could not be restored have been rebuilt.");
ARBOLINK_PHRASE(kRebuildEnded, "作り直しを終えました。", "Rebuilding is finished.");
// A count, then each file with why it was not made again.
ARBOLINK_PHRASE(kNotRebuiltFiles, "\n\n作り直せなかったファイルが %1 個あります。",
                "\n\nFiles that could not be rebuilt: %1");

// What verify finds of a set with recovery disks: the disks to rebuild, as "3, 5".
ARBOLINK_PHRASE(kSetRebuildable,
                "ディスク %1 は、ほかのディスクから作り直せます（arbolink-cli rebuild）",
                "Disk %1 can be rebuilt from the other disks (arbolink-cli rebuild)");
// The recovery disks the rebuild of the data disks uses, as "1, 2".
ARBOLINK_PHRASE(kRebuildUses, "使う復旧用ディスク: %1", "Recovery disks used: %1");
// The disks to rebuild, then the sound disks needed and those at hand.
ARBOLINK_PHRASE(
    kSetNotRebuildable,
    "ディスク %1 は作り直せません。作り直すには傷んでいないディスクが %2 枚要りますが、%3 枚しか"
    "ありません",
    "Disk %1 cannot be rebuilt. Undamaged disks needed for rebuilding: %2; there are only %3");

} // namespace arbolink::msg
