// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts shown while disks are burnt onto optical discs, each in exactly one place. A %s
// that stands first names the drive ("/dev/sr0", "stdio:/x/set-01.iso").

namespace arbolink::msg {

// Asks for disc n (the number, then the drive).
inline constexpr const char* kInsertBlankDisc = "%d 枚目の空のディスクを %s に入れてください。";

inline constexpr const char* kBurningCaption = "ディスクに書き込み中．．．";
// The dialog's message: the disc's number, the staged folder, the drive.
inline constexpr const char* kBurningDisc = "%d 枚目のディスク\nFrom : %s\n  To : %s";
// The burn's own progress: megabytes written, of the whole, the buffer's fill in percent,
// the speed in megabytes a second with its tenths.
inline constexpr const char* kBurnState = "%lld / %lld MB　バッファ %d％　%lld.%d MB/秒";
inline constexpr const char* kReadingDiscCaption = "ディスクを検査中．．．";

// The closing message once every disc is written and read back right.
inline constexpr const char* kBurnFinished = "ディスクの書き込みが終了しました";

// The drive's failures, each followed by the library's own words (or nothing) and answered
// with Retry or Abort.
inline constexpr const char* kNoBlankDisc = "%s に書き込める空のディスクが入っていません。\n"
                                            "空のディスクを入れて［再試行］を押してください。%s";
inline constexpr const char* kDiscTooSmall =
    "%s のディスクの容量が足りません（必要 %lld ブロック、空き %lld ブロック）。\n"
    "容量の大きい空のディスクに入れ換えて［再試行］を押してください。";
inline constexpr const char* kDiscWriteFailed =
    "%s への書き込みに失敗しました。このディスクは使えません。\n"
    "新しい空のディスクを入れて［再試行］を押してください。%s";
inline constexpr const char* kCannotBurn =
    "%s はディスクを書き込めるドライブではありません。\n"
    "ドライブの名前と接続を確かめて［再試行］を押してください。%s";
// A rewritable disc with data, asked with Yes and No before it is blanked.
inline constexpr const char* kDiscHoldsData =
    "%s のディスクは書き換えのできるディスクで、データが入っています。\n"
    "データをすべて消去して、このディスクに書き込みますか？";
inline constexpr const char* kBlankingCaption = "ディスクを消去中．．．";
inline constexpr const char* kBlankFailed =
    "%s のディスクを消去できませんでした。\n"
    "空のディスクに入れ換えて［再試行］を押してください。%s";
// Found before anything was written: the drive, then the staged folder whose names the
// file system cannot hold.
inline constexpr const char* kDiscTreeMisplaced =
    "%s に書き込む前に調べたところ、%s には長い名前のファイルが多すぎて、"
    "光ディスクのファイルシステムを正しく作れません。ディスクには何も書き込んでいません。\n"
    "光ディスクに焼くように分割し直してください。%s";
// What the disc read back: the drive, then the files that differ, one a line.
inline constexpr const char* kDiscReadBackFailed =
    "%s のディスクを読み返したところ、書き込んだ内容と一致しません。このディスクは使えません。\n"
    "新しい空のディスクに書き直すには［再試行］を押してください。%s";
// Cancel while a disc was written.
inline constexpr const char* kBurnCancelled =
    "%s への書き込みを途中で止めました。このディスクは使えません。";
// Cancel while a written disc was read back.
inline constexpr const char* kCheckCancelled = "%s "
                                               "のディスクの検査を途中で止めました。このディスクが"
                                               "正しく書けたかどうかは確かめられていません。";
inline constexpr const char* kBurnNotBuilt =
    "このプログラムは光ディスクへの書き込みなしで作られています。";

// The library's words after a failure, on a line of their own.
inline constexpr const char* kBurnDetail = "\n（%s）";
// A file that is missing on the disc or reads otherwise.
inline constexpr const char* kDiscFileDiffers = "\n%s";

} // namespace arbolink::msg
