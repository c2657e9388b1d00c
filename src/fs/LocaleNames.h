// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names the environment gives the user's language, as the platform keeps them.

#include <string>

namespace arbolink {

// The LANGUAGE list of preferred languages ("en_GB:ja"); empty when unset.
std::string LanguageList();

// The name of the locale that governs messages: LC_ALL, else LC_MESSAGES, else LANG on POSIX
// ("ja_JP.UTF-8", "C", or empty when none is set); on Windows the user's display language
// ("ja-JP", "en-US").
std::string MessagesLocale();

// The decimal separator of the user's number format ("." or ","); "." when none is set or
// the locale cannot be loaded.
std::string DecimalSeparator();

// The separator the user's number format puts between groups of three digits ("," or "." or
// a blank); "," when the format groups none or cannot be loaded.
std::string GroupSeparator();

} // namespace arbolink
