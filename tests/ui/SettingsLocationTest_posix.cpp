#include "support/TempFolder.h"
#include "ui/IniFile.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace arbolink {
namespace {

using test::TempFolder;

TEST(SettingsFilePath, BesideAWritableProgramElseInTheConfigurationFolder) {
    TempFolder folder;
    EXPECT_EQ(SettingsFilePath(folder / "Arbolink.exe"), folder / "Arbolink.ini");
    EXPECT_EQ(SettingsFilePath(folder / "arbolink"), folder / "arbolink.ini");
    setenv("XDG_CONFIG_HOME", (folder / "xdg").c_str(), 1);
    EXPECT_EQ(SettingsFilePath(folder / "missing/arbolink"), folder / "xdg/arbolink/arbolink.ini");
    folder.WriteFile("kept/arbolink.ini", "");
    EXPECT_EQ(SettingsFilePath(folder / "kept/arbolink"), folder / "kept/arbolink.ini");
    unsetenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string savedHome = home != nullptr ? home : "";
    setenv("HOME", (folder / "home").c_str(), 1);
    EXPECT_EQ(SettingsFilePath(folder / "missing/arbolink"),
              folder / "home/.config/arbolink/arbolink.ini");
    setenv("HOME", savedHome.c_str(), 1);
}

} // namespace
} // namespace arbolink
