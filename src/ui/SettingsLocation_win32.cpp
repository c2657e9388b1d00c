// SPDX-License-Identifier: GPL-3.0-or-later
// Where the settings file lives on Windows: always beside the program, with the program's name
// and the extension ".ini". A program run from a write-protected disk then cannot save, and
// says so.
#include "fs/Utf8Path.h"
#include "ui/IniFile.h"

namespace arbolink {

std::string SettingsFilePath(const std::string& programFile) {
    return Utf8Of(PathOf(programFile).replace_extension(".ini"));
}

} // namespace arbolink
