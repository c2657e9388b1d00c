#pragma once
// The faces the windows are drawn in: the designed Windows face first, then the IPA faces
// that stand in for it where it is not installed.

#include <QFont>

namespace arbolink {

// "ＭＳ Ｐゴシック", else "IPAPGothic", else "IPAGothic".
QFont GothicFont(int pixelSize);

// "ＭＳ Ｐ明朝", else "IPAPMincho", else "IPAMincho".
QFont MinchoFont(int pixelSize);

} // namespace arbolink
