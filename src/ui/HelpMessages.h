// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Messages of the Help menu and of the About box's links. The window shows them through its
// catalogue, in the context "arbolink::msg".

#include "ui/Translatable.h"

namespace arbolink::msg {

// Followed by the path of the page that was looked for.
inline constexpr const char* kManualMissing =
    ARBOLINK_TRANSLATE_NOOP("arbolink::msg", "マニュアルが見つかりません。\n\n");
// Followed by the address that no browser or mail program took.
inline constexpr const char* kNothingOpened =
    ARBOLINK_TRANSLATE_NOOP("arbolink::msg", "開くプログラムが見つかりません。\n\n");

} // namespace arbolink::msg
