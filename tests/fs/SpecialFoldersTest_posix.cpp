// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/SpecialFolders.h"

#include "support/TempFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace arbolink {
namespace {

using test::TempFolder;

TEST(UserDirsFile, ExpandsHomeAndTakesTheLastDefinition) {
    std::string text = "# written by xdg-user-dirs-update\n"
                       "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n"
                       "XDG_TEMPLATES_DIR=\"$HOME/\"\n"
                       "XDG_MUSIC_DIR=\"/srv/music\"\n"
                       "XDG_MUSIC_DIR=\"/srv/music2\"\n"
                       "XDG_VIDEOS_DIR=\"relative\"\n"
                       "XDG_DOWNLOAD_DIR=\"$HOMEWORK\"\n";
    EXPECT_EQ(UserDirFromFile(text, "XDG_DESKTOP_DIR", "/home/me"), "/home/me/デスクトップ");
    EXPECT_EQ(UserDirFromFile(text, "XDG_TEMPLATES_DIR", "/home/me"), "/home/me/");
    EXPECT_EQ(UserDirFromFile(text, "XDG_MUSIC_DIR", "/home/me"), "/srv/music2");
    EXPECT_EQ(UserDirFromFile(text, "XDG_VIDEOS_DIR", "/home/me"), "");
    EXPECT_EQ(UserDirFromFile(text, "XDG_DOWNLOAD_DIR", "/home/me"), "");
    EXPECT_EQ(UserDirFromFile(text, "XDG_DESKTOP", "/home/me"), "");
    EXPECT_EQ(UserDirFromFile("", "XDG_DESKTOP_DIR", "/home/me"), "");
}

// Points HOME and the XDG folders at a temporary home for one test.
class SpecialFolders : public ::testing::Test {
protected:
    void SetUp() override {
        Keep("HOME", home.path());
        Keep("XDG_CONFIG_HOME", "");
        Keep("XDG_DATA_HOME", "");
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value.has_value) {
                setenv(name.c_str(), value.text.c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }
    void Keep(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        saved_.push_back({name, {old != nullptr, old != nullptr ? old : ""}});
        if (value.empty()) {
            unsetenv(name.c_str());
        } else {
            setenv(name.c_str(), value.c_str(), 1);
        }
    }
    TempFolder home;

private:
    struct Saved {
        bool has_value;
        std::string text;
    };
    std::vector<std::pair<std::string, Saved>> saved_;
};

TEST_F(SpecialFolders, FollowTheUserDirsFileAndItsDefaults) {
    EXPECT_EQ(SpecialFolderPath(SpecialFolder::Desktop), ""); // ~/Desktop does not exist
    home.MakeFolder("Desktop");
    EXPECT_EQ(SpecialFolderPath(SpecialFolder::Desktop), home / "Desktop");
    home.MakeFolder("机");
    home.WriteFile(".config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/机\"\n");
    EXPECT_EQ(SpecialFolderPath(SpecialFolder::Desktop), home / "机");
    home.MakeFolder("Templates");
    EXPECT_EQ(SpecialFolderPath(SpecialFolder::Templates), home / "Templates");
}

TEST_F(SpecialFolders, UseTheDataAndConfigFoldersAndHaveNoFavourites) {
    home.MakeFolder(".local/share/Trash/files");
    home.MakeFolder(".local/share/applications");
    home.MakeFolder("conf/autostart");
    setenv("XDG_CONFIG_HOME", (home / "conf").c_str(), 1);
    EXPECT_EQ(SpecialFolderPath(SpecialFolder::RecycleBin), home / ".local/share/Trash/files");
    EXPECT_EQ(SpecialFolderPath(SpecialFolder::Programs), home / ".local/share/applications");
    EXPECT_EQ(SpecialFolderPath(SpecialFolder::StartMenu), home / ".local/share/applications");
    EXPECT_EQ(SpecialFolderPath(SpecialFolder::AppData), home / ".local/share");
    EXPECT_EQ(SpecialFolderPath(SpecialFolder::Startup), home / "conf/autostart");
    EXPECT_EQ(SpecialFolderPath(SpecialFolder::Recent), "");
    EXPECT_EQ(SpecialFolderPath(SpecialFolder::Favorites), "");
    EXPECT_EQ(SpecialFolderPath(SpecialFolder::SendTo), "");
}

} // namespace
} // namespace arbolink
