#pragma once
// The product's name and version text, shared by every layer: the main window's caption, the
// About box and the subject of the mail the About box starts.

namespace arbolink {

inline constexpr const char* kProductName = "Arbolink";
inline constexpr const char* kVersionText = "Ver. 2.0";

} // namespace arbolink
