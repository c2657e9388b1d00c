// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScopedVariable_posix.h"
#include "support/TempFolder.h"
#include "ui/IniFile.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace arbolink {
namespace {

using test::ScopedVariable;
using test::TempFolder;

TEST(SettingsFilePath, AlwaysInTheConfigurationFolderNeverBesideTheProgram) {
    TempFolder folder;
    // A program whose folder can be written, even one that has a settings file beside it.
    folder.WriteFile("bin/arbolink.ini", "");
    ScopedVariable home("HOME", (folder / "home").c_str());
    {
        ScopedVariable xdg("XDG_CONFIG_HOME", (folder / "xdg").c_str());
        EXPECT_EQ(SettingsFilePath(folder / "bin/arbolink"), folder / "xdg/arbolink/arbolink.ini");
        EXPECT_EQ(SettingsFilePath(folder / "bin/Arbolink2"), folder / "xdg/arbolink/arbolink.ini");
    }
    for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/config"}) {
        ScopedVariable xdg("XDG_CONFIG_HOME", unusable);
        EXPECT_EQ(SettingsFilePath(folder / "bin/arbolink"),
                  folder / "home/.config/arbolink/arbolink.ini")
            << (unusable != nullptr ? unusable : "unset");
    }
}

} // namespace
} // namespace arbolink
