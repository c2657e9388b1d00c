#pragma once
// The font of the program's windows: "ＭＳ Ｐゴシック" where Windows has it, otherwise the
// IPA Gothic faces that a Linux desktop installs for Japanese.

#include <QFont>

namespace arbolink {

QFont FormFont(int pixelHeight);

} // namespace arbolink
