// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text the folder tree shows: node labels, its command menu and its message boxes. The
// tree shows them through the catalogue, in the context "arbolink::treemsg".

#include <QtGlobal>

namespace arbolink::treemsg {

// The component's name and version; the caption of its message boxes.
inline constexpr const char* kComponentCaption =
    QT_TRANSLATE_NOOP("arbolink::treemsg", " FolderTreeViewEx component version 2.11");
inline constexpr const char* kInvokeFailed =
    QT_TRANSLATE_NOOP("arbolink::treemsg", "InvokeCommand failed!");
inline constexpr const char* kSpecialFolderDrop = QT_TRANSLATE_NOOP(
    "arbolink::treemsg", "This Folder is SpecialFolder \r   Can not Copy or Paste!");

// The node of the computer, above its drives.
inline constexpr const char* kComputer = QT_TRANSLATE_NOOP("arbolink::treemsg", "コンピューター");

// The command menu, as a file manager words it.
inline constexpr const char* kMenuCut = QT_TRANSLATE_NOOP("arbolink::treemsg", "切り取り(&T)");
inline constexpr const char* kMenuCopy = QT_TRANSLATE_NOOP("arbolink::treemsg", "コピー(&C)");
inline constexpr const char* kMenuPaste = QT_TRANSLATE_NOOP("arbolink::treemsg", "貼り付け(&P)");
inline constexpr const char* kMenuCreateLink =
    QT_TRANSLATE_NOOP("arbolink::treemsg", "リンクの作成(&S)");
inline constexpr const char* kMenuTrash =
    QT_TRANSLATE_NOOP("arbolink::treemsg", "ごみ箱へ移動(&D)");
inline constexpr const char* kMenuRename = QT_TRANSLATE_NOOP("arbolink::treemsg", "名前の変更(&M)");

// A link is named after what it points at (%1).
inline constexpr const char* kLinkName = QT_TRANSLATE_NOOP("arbolink::treemsg", "%1 へのリンク");
inline constexpr const char* kRootLinkName =
    QT_TRANSLATE_NOOP("arbolink::treemsg", "ファイルシステム");

inline constexpr const char* kButtonOk = "OK";
inline constexpr const char* kButtonYes = QT_TRANSLATE_NOOP("arbolink::treemsg", "はい(&Y)");
inline constexpr const char* kButtonNo = QT_TRANSLATE_NOOP("arbolink::treemsg", "いいえ(&N)");

inline constexpr const char* kAskDeleteForGood = QT_TRANSLATE_NOOP(
    "arbolink::treemsg", "ごみ箱に移動できません\n\n完全に削除しますか (元に戻せません)");
inline constexpr const char* kAskLinkOnDesktop = QT_TRANSLATE_NOOP(
    "arbolink::treemsg", "ここにはリンクを作成できません\n\nデスクトップに作成しますか");
inline constexpr const char* kNoDesktop =
    QT_TRANSLATE_NOOP("arbolink::treemsg", "デスクトップのフォルダーがありません");

// The detail of a failed command: the item's name, then the reason.
inline constexpr const char* kFailedItem = QT_TRANSLATE_NOOP("arbolink::treemsg", "「%1」: %2");
inline constexpr const char* kReasonExists =
    QT_TRANSLATE_NOOP("arbolink::treemsg", "同じ名前の項目がすでにあります");
inline constexpr const char* kReasonIntoItself =
    QT_TRANSLATE_NOOP("arbolink::treemsg", "フォルダーをそれ自身の中へは移せません");
inline constexpr const char* kReasonBadName =
    QT_TRANSLATE_NOOP("arbolink::treemsg", "この名前は使えません");
inline constexpr const char* kReasonVolumeRoot =
    QT_TRANSLATE_NOOP("arbolink::treemsg", "ドライブのルートは移動も削除もできません");
inline constexpr const char* kReasonDenied =
    QT_TRANSLATE_NOOP("arbolink::treemsg", "アクセスが拒否されました");
inline constexpr const char* kReasonReadOnly =
    QT_TRANSLATE_NOOP("arbolink::treemsg", "読み取り専用のドライブです");
inline constexpr const char* kReasonFull =
    QT_TRANSLATE_NOOP("arbolink::treemsg", "ドライブに空きがありません");
inline constexpr const char* kReasonMissing =
    QT_TRANSLATE_NOOP("arbolink::treemsg", "見つかりません");
inline constexpr const char* kReasonSpecialFiles = QT_TRANSLATE_NOOP(
    "arbolink::treemsg", "デバイスやパイプなどの特殊なファイルはコピーしませんでした");
inline constexpr const char* kReasonOtherVolume =
    QT_TRANSLATE_NOOP("arbolink::treemsg", "中にある別のドライブはコピーしませんでした");

} // namespace arbolink::treemsg
