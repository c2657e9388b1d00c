// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text the folder tree shows: node labels, its command menu and its message boxes.

namespace arbolink::treemsg {

// The component's name and version; the caption of its message boxes.
inline constexpr const char* kComponentCaption = " FolderTreeViewEx component version 2.11";
inline constexpr const char* kInvokeFailed = "InvokeCommand failed!";
inline constexpr const char* kSpecialFolderDrop =
    "This Folder is SpecialFolder \r   Can not Copy or Paste!";

// The node of the computer, above its drives.
inline constexpr const char* kComputer = "コンピューター";

// The command menu, as a file manager words it.
inline constexpr const char* kMenuCut = "切り取り(&T)";
inline constexpr const char* kMenuCopy = "コピー(&C)";
inline constexpr const char* kMenuPaste = "貼り付け(&P)";
inline constexpr const char* kMenuCreateLink = "リンクの作成(&S)";
inline constexpr const char* kMenuTrash = "ごみ箱へ移動(&D)";
inline constexpr const char* kMenuRename = "名前の変更(&M)";

// A link is named after what it points at.
inline constexpr const char* kLinkSuffix = " へのリンク";
inline constexpr const char* kRootLinkName = "ファイルシステム";

inline constexpr const char* kButtonOk = "OK";
inline constexpr const char* kButtonYes = "はい(&Y)";
inline constexpr const char* kButtonNo = "いいえ(&N)";

inline constexpr const char* kAskDeleteForGood =
    "ごみ箱に移動できません\n\n完全に削除しますか (元に戻せません)";
inline constexpr const char* kAskLinkOnDesktop =
    "ここにはリンクを作成できません\n\nデスクトップに作成しますか";
inline constexpr const char* kNoDesktop = "デスクトップのフォルダーがありません";

// The detail of a failed command: the item's name, then the reason.
inline constexpr const char* kFailedItem = "「%1」: %2";
inline constexpr const char* kReasonExists = "同じ名前の項目がすでにあります";
inline constexpr const char* kReasonIntoItself = "フォルダーをそれ自身の中へは移せません";
inline constexpr const char* kReasonBadName = "この名前は使えません";
inline constexpr const char* kReasonVolumeRoot = "ドライブのルートは移動も削除もできません";
inline constexpr const char* kReasonDenied = "アクセスが拒否されました";
inline constexpr const char* kReasonReadOnly = "読み取り専用のドライブです";
inline constexpr const char* kReasonFull = "ドライブに空きがありません";
inline constexpr const char* kReasonMissing = "見つかりません";
inline constexpr const char* kReasonSpecialFiles =
    "デバイスやパイプなどの特殊なファイルはコピーしませんでした";
inline constexpr const char* kReasonOtherVolume = "中にある別のドライブはコピーしませんでした";

} // namespace arbolink::treemsg
