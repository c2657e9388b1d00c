#include "ui/Fonts.h"

#include <QStringList>

namespace arbolink {

namespace {

QFont FontOf(const QStringList& families, int pixelSize) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

QFont GothicFont(int pixelSize) {
    return FontOf({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                   QStringLiteral("IPAGothic")},
                  pixelSize);
}

QFont MinchoFont(int pixelSize) {
    return FontOf(
        {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")},
        pixelSize);
}

} // namespace arbolink
