#pragma once
// Messages of the Help menu.

namespace arbolink::msg {

// Followed by the path of the page that was looked for.
inline constexpr const char* kManualMissing = "マニュアルが見つかりません。\n\n";

} // namespace arbolink::msg
