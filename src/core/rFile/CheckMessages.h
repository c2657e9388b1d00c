// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts the check of a set's disks (検査) shows, each in exactly one place. Texts the
// restore shows as well are named here after the restore's own.

#include "core/rFile/RestoreMessages.h"

namespace arbolink::msg {

ARBOLINK_PHRASE(kCheckCaption, "検査中．．．", "Checking...");
// The progress dialog's line: then the disk folder.
ARBOLINK_PHRASE(kCheckLabel, "検査 : ", "Check : ");

// Questions while disks are inserted one after another: Yes reads the drive again, No ends
// the check with what was found so far.
// The number of disks still to come.
ARBOLINK_PHRASE(kCheckSwap,
                "ディスクを入れ換えてください\n\nまだ検査していないディスクが、あと %1 "
                "枚あります。\n\n「いいえ」を押すと、ここで検査を終えます。",
                "Please change the disk\n\nDisks not checked yet: %1\n\nPress \"No\" to end the "
                "check here.");
ARBOLINK_PHRASE(
    kCheckOtherSet,
    "最初に検査した分割ディスクとIDが異なります。\n同じセットのディスクを入れてください\n\n"
    "「いいえ」を押すと、ここで検査を終えます。",
    "This disk's ID differs from that of the split disk checked first.\nPlease insert a disk of "
    "the same set\n\nPress \"No\" to end the check here.");
// Then the disk folder and what is wrong with it.
ARBOLINK_PHRASE(kCheckNotASetDisk,
                "このディスクは分割ディスクとして読めません。\n分割ディスクを入れてください\n\n"
                "「いいえ」を押すと、ここで検査を終えます。\n\n",
                "This disk cannot be read as a split disk.\nPlease insert a split disk\n\nPress "
                "\"No\" to end the check here.\n\n");

// Disks given as folders side by side: a folder passed over, then its path (a folder that
// holds no readable set is told as the restore tells it).
ARBOLINK_PHRASE(
    kCheckFolderOfOtherSet,
    "次のフォルダーは、最初に検査した分割ディスクとIDが異なるため、読み飛ばします。\n\n",
    "The following folder's ID differs from that of the split disk checked first, so it is "
    "skipped.\n\n");
ARBOLINK_PHRASE(kCheckFolderSeen, "次のフォルダーのディスクは検査済みのため、読み飛ばします。\n\n",
                "The disk in the following folder has been checked already, so it is skipped.\n\n");

// Why a stored file counts as damaged, besides the reasons a copy names.
ARBOLINK_PHRASE(
    kReasonSizeMismatch,
    "大きさがディスクに記録された値と一致しません。ディスクが傷んでいるおそれがあります。",
    "The size does not match the value recorded on the disk. The disk may be damaged.");
ARBOLINK_PHRASE(kReasonFolderUnreadable, "ディスクのフォルダーを読めません。",
                "The disk's folder cannot be read.");

// The closing message.
ARBOLINK_PHRASE(
    kCheckAllGood,
    "検査が終わりました。\n\nすべてのファイルが、ディスクに記録された値と一致しました。",
    "The check is finished.\n\nEvery file matches the values recorded on the disks.");
ARBOLINK_PHRASE(kCheckFinished, "検査が終わりました。", "The check is finished.");
ARBOLINK_PHRASE(kCheckAborted, "検査を中止しました。", "The check was stopped.");
// Each list: its count, then one line per file as kOnDisk: its disk number, its path.
ARBOLINK_PHRASE(kDamagedFiles, "\n\n傷んでいるファイルが %1 個あります。", "\n\nDamaged files: %1");
ARBOLINK_PHRASE(kMissingFiles, "\n\nディスクにないファイルが %1 個あります。",
                "\n\nFiles missing from the disks: %1");
ARBOLINK_PHRASE(
    kUncheckedFiles,
    "\n\nチェックサムが記録されていないため、検査できなかったファイルが %1 個あります。",
    "\n\nFiles that could not be checked because no checksum was recorded: %1");
ARBOLINK_PHRASE(kUnplacedFiles,
                "\n\nどのディスクにあるかが分からないため、検査できなかったファイルが %1 "
                "個あります。",
                "\n\nFiles that could not be checked because their disk is not known: %1");
ARBOLINK_PHRASE(kOnDisk, "%1 枚目 : %2", "Disk %1 : %2");
// The disks not checked: their numbers ("2, 3"), then the files that lie on them.
ARBOLINK_PHRASE(kDisksNotGiven, "\n\n検査していないディスク : %1 枚目",
                "\n\nDisks not checked: %1");
ARBOLINK_PHRASE(kFilesOnDisksNotGiven, "\n\n検査していないディスクにあるファイルが %1 個あります。",
                "\n\nFiles on the disks not checked: %1");
// Disks of a set written before checksums were kept: then one line per disk folder.
ARBOLINK_PHRASE(
    kNoChecksumsOnDisks,
    "\n\n次のディスクにはチェックサムがないため（チェックサムを記録する前の版で書かれたセットです）"
    "、"
    "内容を検査できませんでした。",
    "\n\nThe following disks have no checksums (the set was written by a version that did not "
    "record them), so their content could not be checked.");
ARBOLINK_PHRASE(
    kChecksumsUnreadableOnDisks,
    "\n\n次のディスクのチェックサムを読み込めなかったため、内容を検査できませんでした。",
    "\n\nThe checksums of the following disks could not be read, so their content could not be "
    "checked.");

} // namespace arbolink::msg
