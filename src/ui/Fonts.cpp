// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Fonts.h"

#include "core/Language.h"

#include <QFontDatabase>
#include <QGuiApplication>
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

QFont AtHeight(QFont font, int pixels) {
    font.setPixelSize(pixels);
    return font;
}

QFont FontOf(const QString& family, int pixels) {
    if (CurrentLanguage() == Language::English) {
        return AtHeight(QGuiApplication::font(), pixels);
    }
    InstallSubstitutes();
    return AtHeight(QFont(family), pixels);
}

} // namespace

QFont GothicFont(int pixels) {
    return FontOf(kProportionalGothic, pixels);
}

QFont MonospacedGothic(int pixels) {
    if (CurrentLanguage() == Language::English) {
        return AtHeight(QFontDatabase::systemFont(QFontDatabase::FixedFont), pixels);
    }
    QFont font = FontOf(kMonospacedGothic, pixels);
    font.setStyleHint(QFont::Monospace);
    return font;
}

QFont MinchoFont(int pixels) {
    return FontOf(kProportionalMincho, pixels);
}

} // namespace arbolink
