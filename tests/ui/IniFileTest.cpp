#include "ui/IniFile.h"

#include "fs/Folders.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace arbolink {
namespace {

using test::TempFolder;
using ::testing::ElementsAre;

TEST(IniFile, MissingFileGivesTheDefaults) {
    TempFolder folder;
    Settings settings = LoadSettings(folder / "none.ini");
    EXPECT_EQ(settings.windowLeft, 0);
    EXPECT_EQ(settings.windowTop, 0);
    EXPECT_EQ(settings.freeSpacePercent, 95);
    EXPECT_EQ(settings.source, "");
    EXPECT_TRUE(settings.history.empty());
}

TEST(IniFile, WritesEveryKeyInOrderAndReadsThemBack) {
    TempFolder folder;
    Settings settings;
    settings.windowLeft = 120;
    settings.windowTop = -4;
    settings.cWindowWidth = 300;
    settings.freeSpacePercent = 80;
    settings.source = "/home/user/my data";
    settings.divide = "/media/ＵＳＢ メモリ";
    settings.dest = " /tmp/blank edges ";
    settings.history = {"/a", "\"quoted\"", "/c"};
    std::string failure;
    ASSERT_TRUE(SaveSettings(folder / "a.ini", settings, failure)) << failure;
    EXPECT_EQ(folder.ReadFile("a.ini"), "[Window]\nLeft=120\nTop=-4\n\n"
                                        "[cWindow]\nLeft=0\nTop=0\nWidth=300\nHeight=0\n\n"
                                        "[Option]\nPosition=80\n\n"
                                        "[Folder]\nsource=/home/user/my data\n"
                                        "divide=/media/ＵＳＢ メモリ\n"
                                        "dest=\" /tmp/blank edges \"\n"
                                        "history=/a,\"quoted\",/c\n");
    Settings read = LoadSettings(folder / "a.ini");
    EXPECT_EQ(read.windowLeft, 120);
    EXPECT_EQ(read.windowTop, -4);
    EXPECT_EQ(read.cWindowWidth, 300);
    EXPECT_EQ(read.freeSpacePercent, 80);
    EXPECT_EQ(read.source, "/home/user/my data");
    EXPECT_EQ(read.divide, "/media/ＵＳＢ メモリ");
    EXPECT_EQ(read.dest, " /tmp/blank edges ");
    // The history value as a whole is quoted only at its ends: its own quotes stay.
    EXPECT_THAT(read.history, ElementsAre("/a", "\"quoted\"", "/c"));
}

TEST(IniFile, ReadsTheWayProfileFunctionsDo) {
    TempFolder folder;
    folder.WriteFile("b.ini", "; kept comment\r\n[OPTION]\r\n  position =  0x50 \r\n"
                              "[folder]\r\nSOURCE = \"  spaced  \" \r\nhistory=a:\\x,b:\\y\r\n"
                              "[Window]\r\nLeft=12abc\r\nTop=0x\r\n");
    Settings settings = LoadSettings(folder / "b.ini");
    EXPECT_EQ(settings.freeSpacePercent, 80);
    EXPECT_EQ(settings.source, "  spaced  ");
    EXPECT_THAT(settings.history, ElementsAre("a:\\x", "b:\\y"));
    EXPECT_EQ(settings.windowLeft, 0); // not a number
    EXPECT_EQ(settings.windowTop, 0);

    folder.WriteFile("c.ini",
                     "[Folder]\nhistory=c:\\my data,,d,\nsource=" + std::string(3000, 'x') + "\n");
    Settings edges = LoadSettings(folder / "c.ini");
    EXPECT_THAT(edges.history, ElementsAre("c:\\my data", "", "d"));
    EXPECT_EQ(edges.source.size(), 2047u);
}

TEST(IniFile, SavedHistorySkipsTheCurrentTextKeepsSixAndDropsCommas) {
    TempFolder folder;
    Settings settings;
    settings.dest = "c:\\b";
    settings.history = {"c:\\a", "c:\\b", "C:\\B", "c:\\c", "has,comma", "4", "5", "6", "7"};
    std::string failure;
    ASSERT_TRUE(SaveSettings(folder / "h.ini", settings, failure));
    EXPECT_THAT(LoadSettings(folder / "h.ini").history,
                ElementsAre("c:\\a", "C:\\B", "c:\\c", "4", "5", "6"));
}

TEST(IniFile, HandWrittenLinesSurviveASave) {
    TempFolder folder;
    folder.WriteFile("d.ini", "; my notes\n[Custom]\nmine=1\n\n[Folder]\n; about folders\n"
                              "extra=keep\nsource=/old\n");
    Settings settings = LoadSettings(folder / "d.ini");
    settings.source = "/new";
    std::string failure;
    ASSERT_TRUE(SaveSettings(folder / "d.ini", settings, failure));
    const std::string text = folder.ReadFile("d.ini");
    EXPECT_NE(text.find("; my notes\n[Custom]\nmine=1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("; about folders\nextra=keep\nsource=/new\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("source=/old"), std::string::npos);
    EXPECT_NE(text.find("[Window]\nLeft=0\nTop=0\n"), std::string::npos);
}

TEST(IniFile, AFailedSaveSaysWhereAndLeavesTheOldFile) {
    TempFolder folder;
    folder.MakeFolder("blocked.ini/inside"); // a folder in the place of the file
    std::string failure;
    EXPECT_FALSE(SaveSettings(folder / "blocked.ini", Settings{}, failure));
    EXPECT_EQ(failure, folder / "blocked.ini" + " に書き込めません");
    EXPECT_TRUE(FolderExists(folder / "blocked.ini/inside"));
}

TEST(IniFile, LivesBesideTheProgramOrInTheUsersFolder) {
    TempFolder folder;
    folder.WriteFile("portable/arbolink", "");
    EXPECT_EQ(SettingsFilePath(folder / "portable/arbolink"), folder / "portable/arbolink.ini");
    EXPECT_EQ(SettingsFilePath(folder / "portable/Arbolink.exe"), folder / "portable/Arbolink.ini");
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    // A folder that does not exist cannot be written; the settings go to the user's folder.
    EXPECT_EQ(SettingsFilePath(folder / "missing/arbolink"),
              folder / "config/arbolink/arbolink.ini");
    std::string failure;
    ASSERT_TRUE(SaveSettings(folder / "config/arbolink/arbolink.ini", Settings{}, failure));
    EXPECT_TRUE(FileExists(folder / "config/arbolink/arbolink.ini"));
    unsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace arbolink
