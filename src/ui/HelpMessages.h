// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Messages of the Help menu and of the About box's links.

namespace arbolink::msg {

// Followed by the path of the page that was looked for.
inline constexpr const char* kManualMissing = "マニュアルが見つかりません。\n\n";
// Followed by the address that no browser or mail program took.
inline constexpr const char* kNothingOpened = "開くプログラムが見つかりません。\n\n";

} // namespace arbolink::msg
