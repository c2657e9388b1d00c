// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the main window, each in exactly one place.

namespace arbolink::msg {

// Enter in a folder field whose folder does not exist.
inline constexpr const char* kCreateTypedFolder =
    "指定されたフォルダーがありません\n\n新規作成しますか";
// Enter and Yes on an empty field.
inline constexpr const char* kCannotCreateDirectory = "ディレクトリを作成することができません";

// The free-space read-out.
inline constexpr const char* kDiskError = "Disk Error";
// The read-out for a destination on a medium that was taken out.
inline constexpr const char* kNoMedium = "ディスクがありません";
inline constexpr const char* kUnitGigabytes = "Gbyte";
inline constexpr const char* kUnitMegabytes = "Mbyte";
inline constexpr const char* kUnitKilobytes = "Kbyte";
inline constexpr const char* kUnitBytes = "byte";

// The ファイル menu's 復旧用ディスク... item: the question for the number of recovery disks.
inline constexpr const char* kRecoveryDisksCaption = "復旧用ディスク";
inline constexpr const char* kRecoveryDisksLabel =
    "分割のとき、データのディスクの後に書く復旧用ディスクの枚数（0〜8）:\n"
    "セットのこの枚数までのディスクをなくしても、作り直せます。";

} // namespace arbolink::msg
