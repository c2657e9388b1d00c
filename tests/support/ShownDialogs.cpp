// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ShownDialogs.h"

namespace arbolink::test {

std::vector<Shown> ShownDialogs(const ScriptedHost& host) {
    std::vector<Shown> shown;
    for (const DialogRecord& dialog : host.dialogs) {
        shown.push_back({dialog.kind, dialog.text, dialog.buttons});
    }
    return shown;
}

Shown PlainShown(const std::string& text) {
    return {DialogKind::Plain, text, {Button::Ok}};
}

Shown WarningShown(const std::string& text) {
    return {DialogKind::Warning, text, {Button::Ok}};
}

void PrintTo(const Shown& shown, std::ostream* out) {
    *out << "[" << CaptionOf(shown.kind) << "] \"" << shown.text << "\" (";
    for (std::size_t i = 0; i < shown.buttons.size(); ++i) {
        *out << (i == 0 ? "" : " ") << CaptionOf(shown.buttons[i]);
    }
    *out << ")";
}

std::string Filled(std::string pattern, const std::vector<std::string>& values) {
    std::size_t from = 0;
    for (const std::string& value : values) {
        std::size_t at = pattern.find('%', from);
        pattern.replace(at, 2, value);
        from = at + value.size();
    }
    return pattern;
}

} // namespace arbolink::test
