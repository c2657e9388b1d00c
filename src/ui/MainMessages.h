// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the main window, each in exactly one place. The free-space read-out takes its
// texts from here in plain C++; the window shows them all through its catalogue, in the
// context "arbolink::msg".

#include "ui/Translatable.h"

namespace arbolink::msg {

// Enter in a folder field whose folder does not exist.
inline constexpr const char* kCreateTypedFolder = ARBOLINK_TRANSLATE_NOOP(
    "arbolink::msg", "指定されたフォルダーがありません\n\n新規作成しますか");
// Enter and Yes on an empty field.
inline constexpr const char* kCannotCreateDirectory =
    ARBOLINK_TRANSLATE_NOOP("arbolink::msg", "ディレクトリを作成することができません");

// The free-space read-out.
inline constexpr const char* kDiskError = ARBOLINK_TRANSLATE_NOOP("arbolink::msg", "Disk Error");
// The read-out for a destination on a medium that was taken out.
inline constexpr const char* kNoMedium =
    ARBOLINK_TRANSLATE_NOOP("arbolink::msg", "ディスクがありません");
// The read-out for a split destination that names an optical drive: the divide burns discs.
inline constexpr const char* kOpticalDrive =
    ARBOLINK_TRANSLATE_NOOP("arbolink::msg", "光ディスクに焼く");
inline constexpr const char* kUnitGigabytes = ARBOLINK_TRANSLATE_NOOP("arbolink::msg", "Gbyte");
inline constexpr const char* kUnitMegabytes = ARBOLINK_TRANSLATE_NOOP("arbolink::msg", "Mbyte");
inline constexpr const char* kUnitKilobytes = ARBOLINK_TRANSLATE_NOOP("arbolink::msg", "Kbyte");
inline constexpr const char* kUnitBytes = ARBOLINK_TRANSLATE_NOOP("arbolink::msg", "byte");

// The ファイル menu's 復旧用ディスク... item: the question for the number of recovery disks.
inline constexpr const char* kRecoveryDisksCaption =
    ARBOLINK_TRANSLATE_NOOP("arbolink::msg", "復旧用ディスク");
inline constexpr const char* kRecoveryDisksLabel = ARBOLINK_TRANSLATE_NOOP(
    "arbolink::msg", "分割のとき、データのディスクの後に書く復旧用ディスクの枚数（0〜8）:\n"
                     "セットのこの枚数までのディスクをなくしても、作り直せます。");

} // namespace arbolink::msg
