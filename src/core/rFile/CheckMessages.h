// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the check of a set's disks (検査) shows, each in exactly one place. Texts the
// restore shows as well are named here after the restore's own.

#include "core/rFile/RestoreMessages.h"

namespace arbolink::msg {

inline constexpr const char* kCheckCaption = "検査中．．．";
// The progress dialog's line: then the disk folder.
inline constexpr const char* kCheckLabel = "検査 : ";

// Questions while disks are inserted one after another: Yes reads the drive again, No ends
// the check with what was found so far.
// "ディスクを入れ換えてください..." + disks still to come + " 枚あります。..."
inline constexpr const char* kCheckSwapBefore =
    "ディスクを入れ換えてください\n\nまだ検査していないディスクが、あと ";
inline constexpr const char* kCheckSwapAfter =
    " 枚あります。\n\n「いいえ」を押すと、ここで検査を終えます。";
inline constexpr const char* kCheckOtherSet =
    "最初に検査した分割ディスクとIDが異なります。\n同じセットのディスクを入れてください\n\n"
    "「いいえ」を押すと、ここで検査を終えます。";
// Then the disk folder and what is wrong with it.
inline constexpr const char* kCheckNotASetDisk =
    "このディスクは分割ディスクとして読めません。\n分割ディスクを入れてください\n\n"
    "「いいえ」を押すと、ここで検査を終えます。\n\n";

// Disks given as folders side by side: a folder passed over, then its path (a folder that
// holds no readable set is told as the restore tells it).
inline constexpr const char* kCheckFolderOfOtherSet =
    "次のフォルダーは、最初に検査した分割ディスクとIDが異なるため、読み飛ばします。\n\n";
inline constexpr const char* kCheckFolderSeen =
    "次のフォルダーのディスクは検査済みのため、読み飛ばします。\n\n";

// Why a stored file counts as damaged, besides the reasons a copy names.
inline constexpr const char* kReasonSizeMismatch =
    "大きさがディスクに記録された値と一致しません。ディスクが傷んでいるおそれがあります。";
inline constexpr const char* kReasonFolderUnreadable = "ディスクのフォルダーを読めません。";

// The closing message.
inline constexpr const char* kCheckAllGood =
    "検査が終わりました。\n\nすべてのファイルが、ディスクに記録された値と一致しました。";
inline constexpr const char* kCheckFinished = "検査が終わりました。";
inline constexpr const char* kCheckAborted = "検査を中止しました。";
// Each list: a count, kFilesAfter, then one line per file: its disk number, kOnDisk, its path.
inline constexpr const char* kDamagedBefore = "\n\n傷んでいるファイルが ";
inline constexpr const char* kMissingBefore = "\n\nディスクにないファイルが ";
inline constexpr const char* kUncheckedBefore =
    "\n\nチェックサムが記録されていないため、検査できなかったファイルが ";
inline constexpr const char* kUnplacedBefore =
    "\n\nどのディスクにあるかが分からないため、検査できなかったファイルが ";
inline constexpr const char* kOnDisk = " 枚目 : ";
// The disks not checked: their numbers, then the files that lie on them.
inline constexpr const char* kNotGivenBefore = "\n\n検査していないディスク : ";
inline constexpr const char* kNotGivenAfter = " 枚目";
inline constexpr const char* kOnNotGivenBefore = "\n\n検査していないディスクにあるファイルが ";
// Disks of a set written before checksums were kept: then one line per disk folder.
inline constexpr const char* kNoChecksumsOnDisks =
    "\n\n次のディスクにはチェックサムがないため（チェックサムを記録する前の版で書かれたセットです）"
    "、"
    "内容を検査できませんでした。";
inline constexpr const char* kChecksumsUnreadableOnDisks =
    "\n\n次のディスクのチェックサムを読み込めなかったため、内容を検査できませんでした。";

} // namespace arbolink::msg
