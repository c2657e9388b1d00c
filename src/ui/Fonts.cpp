// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Fonts.h"

#include <QStringList>

namespace arbolink {

namespace {

const QString kProportionalGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString kMonospacedGothic = QStringLiteral("ＭＳ ゴシック");
const QString kProportionalMincho = QStringLiteral("ＭＳ Ｐ明朝");

// Installed once per process, before the first font is asked for: where the Windows faces
// are missing, Qt draws the installed Japanese faces in their place. The IPA faces come with
// the setup script's packages; Noto and VL are other common Japanese faces.
void InstallSubstitutes() {
    static const bool installed = [] {
        QFont::insertSubstitutions(kProportionalGothic,
                                   {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                    QStringLiteral("Noto Sans CJK JP"),
                                    QStringLiteral("VL PGothic")});
        QFont::insertSubstitutions(kMonospacedGothic, {QStringLiteral("IPAGothic"),
                                                       QStringLiteral("Noto Sans Mono CJK JP"),
                                                       QStringLiteral("VL Gothic")});
        QFont::insertSubstitutions(kProportionalMincho,
                                   {QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho"),
                                    QStringLiteral("Noto Serif CJK JP")});
        return true;
    }();
    (void)installed;
}

QFont FontOf(const QString& family, int pixels) {
    InstallSubstitutes();
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

} // namespace

QFont GothicFont(int pixels) {
    return FontOf(kProportionalGothic, pixels);
}

QFont MonospacedGothic(int pixels) {
    QFont font = FontOf(kMonospacedGothic, pixels);
    font.setStyleHint(QFont::Monospace);
    return font;
}

QFont MinchoFont(int pixels) {
    return FontOf(kProportionalMincho, pixels);
}

} // namespace arbolink
