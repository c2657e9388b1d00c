// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts shown while disks are burnt onto optical discs, each in exactly one place. A %1
// names the drive ("/dev/sr0", "stdio:/x/set-01.iso").

#include "core/Phrase.h"

namespace arbolink::msg {

// Asks for disc %1 in the drive %2.
ARBOLINK_PHRASE(kInsertBlankDisc, "%1 枚目の空のディスクを %2 に入れてください。",
                "Insert blank disc %1 into %2.");

ARBOLINK_PHRASE(kBurningCaption, "ディスクに書き込み中．．．", "Writing to the disc...");
// The dialog's message: the disc's number, the staged folder, the drive.
ARBOLINK_PHRASE(kBurningDisc, "%1 枚目のディスク\nFrom : %2\n  To : %3",
                "Disc %1\nFrom : %2\n  To : %3");
// The burn's own progress: megabytes written, of the whole, the buffer's fill in percent,
// the speed (a rate text).
ARBOLINK_PHRASE(kBurnState, "%1 / %2 MB　バッファ %3％　%4", "%1 / %2 MB   buffer %3%   %4");
ARBOLINK_PHRASE(kReadingDiscCaption, "ディスクを検査中．．．", "Checking the disc...");

// The folder of the user's cache (%1) where the disks wait to be burnt could not be made.
ARBOLINK_PHRASE(kNoBurnStagingFolder,
                "ディスクに書き込む前のファイルを置くフォルダーを、%1 に作成できませんでした。",
                "No folder could be made in %1 for the files that wait to be written to the "
                "discs.");

// The closing message once every disc is written and read back right.
ARBOLINK_PHRASE(kBurnFinished, "ディスクの書き込みが終了しました", "The discs have been written.");

// The drive's failures, each followed by the library's own words (or nothing) and answered
// with Retry or Abort.
ARBOLINK_PHRASE(kNoBlankDisc,
                "%1 に書き込める空のディスクが入っていません。\n"
                "空のディスクを入れて［再試行］を押してください。%2",
                "%1 holds no blank disc that can be written.\n"
                "Insert a blank disc and press Retry.%2");
ARBOLINK_PHRASE(kDiscTooSmall,
                "%1 のディスクの容量が足りません（必要 %2 ブロック、空き %3 ブロック）。\n"
                "容量の大きい空のディスクに入れ換えて［再試行］を押してください。",
                "The disc in %1 is too small (%2 blocks needed, %3 blocks free).\n"
                "Change it for a larger blank disc and press Retry.");
ARBOLINK_PHRASE(kDiscWriteFailed,
                "%1 への書き込みに失敗しました。このディスクは使えません。\n"
                "新しい空のディスクを入れて［再試行］を押してください。%2",
                "Writing to %1 failed. This disc cannot be used.\n"
                "Insert a new blank disc and press Retry.%2");
ARBOLINK_PHRASE(kCannotBurn,
                "%1 はディスクを書き込めるドライブではありません。\n"
                "ドライブの名前と接続を確かめて［再試行］を押してください。%2",
                "%1 is not a drive that can write discs.\n"
                "Check the drive's name and connection and press Retry.%2");
// A rewritable disc with data, asked with Yes and No before it is blanked.
ARBOLINK_PHRASE(kDiscHoldsData,
                "%1 のディスクは書き換えのできるディスクで、データが入っています。\n"
                "データをすべて消去して、このディスクに書き込みますか？",
                "The disc in %1 is a rewritable disc that holds data.\n"
                "Erase all its data and write to this disc?");
ARBOLINK_PHRASE(kBlankingCaption, "ディスクを消去中．．．", "Erasing the disc...");
ARBOLINK_PHRASE(kBlankFailed,
                "%1 のディスクを消去できませんでした。\n"
                "空のディスクに入れ換えて［再試行］を押してください。%2",
                "The disc in %1 could not be erased.\n"
                "Change it for a blank disc and press Retry.%2");
// Found before anything was written: the drive, then the staged folder whose names the
// file system cannot hold.
ARBOLINK_PHRASE(kDiscTreeMisplaced,
                "%1 に書き込む前に調べたところ、%2 には長い名前のファイルが多すぎて、"
                "光ディスクのファイルシステムを正しく作れません。ディスクには何も書き込んでいませ"
                "ん。\n"
                "光ディスクに焼くように分割し直してください。%3",
                "Checked before writing to %1: %2 holds too many files with long names for the "
                "optical disc's file system to be made right. Nothing has been written to the "
                "disc.\n"
                "Divide again for burning onto optical discs.%3");
// What the disc read back: the drive, then the files that differ, one a line.
ARBOLINK_PHRASE(
    kDiscReadBackFailed,
    "%1 のディスクを読み返したところ、書き込んだ内容と一致しません。このディスクは使えません。\n"
    "新しい空のディスクに書き直すには［再試行］を押してください。%2",
    "The disc in %1 was read back and does not match what was written. This disc cannot be "
    "used.\n"
    "To write it again on a new blank disc, press Retry.%2");
// Cancel while a disc was written.
ARBOLINK_PHRASE(kBurnCancelled, "%1 への書き込みを途中で止めました。このディスクは使えません。",
                "Writing to %1 was stopped. This disc cannot be used.");
// Cancel while a written disc was read back.
ARBOLINK_PHRASE(kCheckCancelled,
                "%1 のディスクの検査を途中で止めました。このディスクが正しく書けたかどうかは確か"
                "められていません。",
                "Checking the disc in %1 was stopped. Whether this disc was written right has not "
                "been checked.");
ARBOLINK_PHRASE(kBurnNotBuilt, "このプログラムは光ディスクへの書き込みなしで作られています。",
                "This program was built without writing to optical discs.");

// The library's words after a failure, on a line of their own.
ARBOLINK_PHRASE(kBurnDetail, "\n（%1）", "\n(%1)");
// A file that is missing on the disc or reads otherwise.
inline constexpr const char* kDiscFileDiffers = "\n%1";

} // namespace arbolink::msg
