#include "ui/Fonts.h"

#include <QStringList>

namespace arbolink {

namespace {

const QString kProportionalName = QStringLiteral("ＭＳ Ｐゴシック");
const QString kMonospacedName = QStringLiteral("ＭＳ ゴシック");

// Installed once per process, before the first font is asked for. IPA fonts come with the
// setup script's package; the Noto and VL faces are other common Japanese Gothic faces.
void InstallSubstitutes() {
    static const bool installed = [] {
        QFont::insertSubstitutions(
            kProportionalName, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")});
        QFont::insertSubstitutions(kMonospacedName, {QStringLiteral("IPAGothic"),
                                                     QStringLiteral("Noto Sans Mono CJK JP"),
                                                     QStringLiteral("VL Gothic")});
        return true;
    }();
    (void)installed;
}

QFont GothicFont(const QString& family, int pixels) {
    InstallSubstitutes();
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

} // namespace

QFont ProportionalGothic(int pixels) {
    return GothicFont(kProportionalName, pixels);
}

QFont MonospacedGothic(int pixels) {
    QFont font = GothicFont(kMonospacedName, pixels);
    font.setStyleHint(QFont::Monospace);
    return font;
}

} // namespace arbolink
