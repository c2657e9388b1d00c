// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the folder chooser.

#include <QtGlobal>

namespace arbolink::choicemsg {

inline constexpr const char* kCaption = QT_TRANSLATE_NOOP("arbolink::choicemsg", "フォルダー変更");
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = QT_TRANSLATE_NOOP("arbolink::choicemsg", "キャンセル");
// The third line begins with four ideographic spaces.
inline constexpr const char* kFolderMissing = QT_TRANSLATE_NOOP(
    "arbolink::choicemsg", "指定されたフォルダーはありません\n\n　　　　入力し直してください");

} // namespace arbolink::choicemsg
