// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialogs a scripted Host showed, as kind, text and buttons, so that a test can compare
// the whole sequence at once and read a mismatch in the captions the user would see.

#include "support/ScriptedHost.h"

#include <ostream>
#include <string>
#include <vector>

namespace arbolink::test {

struct Shown {
    DialogKind kind;
    std::string text;
    Buttons buttons;
    bool operator==(const Shown&) const = default;
};

std::vector<Shown> ShownDialogs(const ScriptedHost& host);

// The dialogs the shorthands show: a plain message box and a warning, each with OK.
Shown PlainShown(const std::string& text);
Shown WarningShown(const std::string& text);

void PrintTo(const Shown& shown, std::ostream* out);

// A message pattern with its "%s" and "%d" filled in order, as the code under test fills it.
std::string Filled(std::string pattern, const std::vector<std::string>& values);

} // namespace arbolink::test
