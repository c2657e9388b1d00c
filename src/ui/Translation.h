// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's language. Its texts are written in Japanese, and Japanese needs no catalogue;
// for English the program carries Qt's compiled catalogue of translations/arbolink_en.ts.

#include "core/Language.h"

#include <QString>

namespace arbolink {

// Installs the catalogue of the language into the application: the English one for English,
// none for Japanese. Called once, after the QApplication exists, with the language the core
// speaks (CurrentLanguage()), so that the window and the core's messages always agree.
// Answers false when the English catalogue could not be loaded (the window stays Japanese).
bool InstallTranslator(Language language);

// A text of one of the window's tables, marked with QT_TRANSLATE_NOOP or
// ARBOLINK_TRANSLATE_NOOP in the given context, in the installed language.
QString Translated(const char* context, const char* source);

// The same text in the given language, read from its catalogue directly: for what the program
// writes before the application exists (--help).
QString TranslatedIn(Language language, const char* context, const char* source);

} // namespace arbolink
