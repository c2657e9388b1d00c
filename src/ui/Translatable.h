// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Marks a text of a table that plain C++ code includes as well, where Qt's QT_TRANSLATE_NOOP
// is not at hand: it stands for the text itself, and lupdate reads it as QT_TRANSLATE_NOOP, so
// that the window can show the text through its catalogue (QCoreApplication::translate with the
// same context).
#define ARBOLINK_TRANSLATE_NOOP(context, text) text
