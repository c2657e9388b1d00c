// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Messages of the settings file.

#include <string>

namespace arbolink {

inline std::string CannotWriteSettingsMessage(const std::string& path) {
    return path + " に書き込めません";
}

} // namespace arbolink
