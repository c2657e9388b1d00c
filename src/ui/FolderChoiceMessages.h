// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the folder chooser.

namespace arbolink::choicemsg {

inline constexpr const char* kCaption = "フォルダー変更";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "キャンセル";
// The third line begins with four ideographic spaces.
inline constexpr const char* kFolderMissing =
    "指定されたフォルダーはありません\n\n　　　　入力し直してください";

} // namespace arbolink::choicemsg
