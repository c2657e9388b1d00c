// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Messages of the settings file.

#include "ui/Translatable.h"

#include <string>

namespace arbolink {

// The context of these texts in the window's catalogue.
inline constexpr const char* kSettingsContext = "arbolink::Settings";
// %1 stands for the settings file's path.
inline constexpr const char* kCannotWriteSettings =
    ARBOLINK_TRANSLATE_NOOP("arbolink::Settings", "%1 に書き込めません");

inline std::string CannotWriteSettingsMessage(const std::string& path) {
    std::string text = kCannotWriteSettings;
    return text.replace(text.find("%1"), 2, path);
}

} // namespace arbolink
