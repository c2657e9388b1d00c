// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Translation.h"

#include <QCoreApplication>
#include <QTranslator>

namespace arbolink {

namespace {

// The English catalogue, loaded once; null when the program carries none it can read.
QTranslator* EnglishCatalogue() {
    static QTranslator english;
    static const bool loaded = english.load(QStringLiteral(":/i18n/arbolink_en.qm"));
    return loaded ? &english : nullptr;
}

} // namespace

bool InstallTranslator(Language language) {
    if (language != Language::English) {
        return true;
    }
    QTranslator* english = EnglishCatalogue();
    return english != nullptr && QCoreApplication::installTranslator(english);
}

QString Translated(const char* context, const char* source) {
    return QCoreApplication::translate(context, source);
}

QString TranslatedIn(Language language, const char* context, const char* source) {
    QTranslator* english = language == Language::English ? EnglishCatalogue() : nullptr;
    const QString translated = english != nullptr ? english->translate(context, source) : QString();
    return translated.isEmpty() ? QString::fromUtf8(source) : translated;
}

} // namespace arbolink
