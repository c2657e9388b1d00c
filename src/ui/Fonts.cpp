#include "ui/Fonts.h"

#include <QStringList>

namespace arbolink {

namespace {

QFont FontOf(const QStringList& families, int pixels) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixels);
    return font;
}

} // namespace

QFont GothicFont(int pixels) {
    return FontOf({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                   QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
                   QStringLiteral("VL PGothic")},
                  pixels);
}

QFont MonospacedGothic(int pixels) {
    QFont font = FontOf({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
                         QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("VL Gothic")},
                        pixels);
    font.setStyleHint(QFont::Monospace);
    return font;
}

QFont MinchoFont(int pixels) {
    return FontOf(
        {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")},
        pixels);
}

} // namespace arbolink
