// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/WideText_win32.h"
#include "support/TempFolder.h"
#include "ui/IniFile.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace arbolink {
namespace {

using test::TempFolder;

TEST(SettingsFilePath, AlwaysBesideTheProgram) {
    TempFolder folder;
    EXPECT_EQ(SettingsFilePath(folder / "Arbolink.exe"), folder / "Arbolink.ini");
    EXPECT_EQ(SettingsFilePath(folder / "分割/Arbolink.exe"), folder / "分割/Arbolink.ini");
    // A folder that cannot be written keeps the file there all the same: saving then fails
    // with the message that names it, rather than hiding the settings elsewhere.
    folder.MakeFolder("ro");
    ASSERT_TRUE(SetFileAttributesW(Widen(folder / "ro").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(SettingsFilePath(folder / "ro/Arbolink.exe"), folder / "ro/Arbolink.ini");
    SetFileAttributesW(Widen(folder / "ro").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SaveSettings, KeepsNamesOutsideTheAnsiCodePage) {
    TempFolder folder;
    Settings settings;
    settings.source = "c:\\写真\\한글 😀";
    settings.history = {"d:\\Ελληνικά", "e:\\復元"};
    const std::string path = folder / "한글/Arbolink.ini";
    std::string failure;
    ASSERT_TRUE(SaveSettings(path, settings, failure)) << failure;
    Settings back = LoadSettings(path);
    EXPECT_EQ(back.source, settings.source);
    EXPECT_EQ(back.history, settings.history);
}

} // namespace
} // namespace arbolink
