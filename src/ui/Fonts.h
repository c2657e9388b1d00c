// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Japanese faces the windows are drawn in. Each is asked for by its Windows name; where
// that is not installed, Qt's font substitution draws the IPA faces of the setup script (or
// another common Japanese face) instead, so that every label shows real glyphs at the size the
// layouts were drawn for.

#include <QFont>

namespace arbolink {

// "ＭＳ Ｐゴシック", proportional, at the given height in pixels.
QFont GothicFont(int pixels);

// "ＭＳ ゴシック", monospaced, at the given height in pixels.
QFont MonospacedGothic(int pixels);

// "ＭＳ Ｐ明朝", proportional, at the given height in pixels.
QFont MinchoFont(int pixels);

} // namespace arbolink
