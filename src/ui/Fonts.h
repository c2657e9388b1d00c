#pragma once
// The two Japanese faces the windows are drawn in. They are asked for by their Windows
// names; where those are not installed Qt substitutes an installed Japanese Gothic face, so
// that every label shows real glyphs at the size the layouts were drawn for.

#include <QFont>

namespace arbolink {

// "ＭＳ Ｐゴシック", proportional, at the given height in pixels.
QFont ProportionalGothic(int pixels);

// "ＭＳ ゴシック", monospaced, at the given height in pixels.
QFont MonospacedGothic(int pixels);

} // namespace arbolink
