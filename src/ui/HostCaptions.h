// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The captions of the Host's message dialogs and of their buttons as the window shows them:
// in Japanese the core's own (CaptionOf), in English the catalogue's.

#include "core/Host.h"

#include <QString>

namespace arbolink {

// "Arbolink", "警告", "エラー", "情報", "確認" in the window's language.
QString WindowCaption(DialogKind kind);

// "OK", "キャンセル", "はい(&Y)", ... in the window's language.
QString WindowCaption(Button button);

} // namespace arbolink
