// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The faces the windows are drawn in. In Japanese, the Japanese faces the layouts were drawn
// for, each asked for by its Windows name; where that is not installed, Qt's font substitution
// draws the IPA faces of the setup script (or another common Japanese face) instead, so that
// every label shows real glyphs. In English no Japanese face is needed: the desktop's own font
// (its fixed-pitch one for the monospaced face) at the same height, so that the layouts still
// fit. The language is the one the program speaks (CurrentLanguage()).

#include <QFont>

namespace arbolink {

// "ＭＳ Ｐゴシック", proportional, at the given height in pixels (English: the desktop font).
QFont GothicFont(int pixels);

// "ＭＳ ゴシック", monospaced, at the given height in pixels (English: the desktop's fixed font).
QFont MonospacedGothic(int pixels);

// "ＭＳ Ｐ明朝", proportional, at the given height in pixels (English: the desktop font).
QFont MinchoFont(int pixels);

} // namespace arbolink
