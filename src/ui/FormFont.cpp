#include "ui/FormFont.h"

#include <QStringList>

namespace arbolink {

QFont FormFont(int pixelHeight) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic")});
    font.setPixelSize(pixelHeight);
    return font;
}

} // namespace arbolink
