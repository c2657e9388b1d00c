// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/IniFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <string>

namespace arbolink {
namespace {

using test::TempFolder;

Settings RoundTrip(const TempFolder& folder, const Settings& settings) {
    std::string failure;
    EXPECT_TRUE(SaveSettings(folder / "Arbolink.ini", settings, failure)) << failure;
    return LoadSettings(folder / "Arbolink.ini");
}

TEST(LoadSettings, MissingFileGivesTheDefaults) {
    TempFolder folder;
    Settings settings = LoadSettings(folder / "none.ini");
    EXPECT_EQ(settings.windowLeft, 0);
    EXPECT_EQ(settings.cWindowHeight, 0);
    EXPECT_EQ(settings.freeSpacePercent, 95);
    EXPECT_EQ(settings.dest, "");
    EXPECT_TRUE(settings.history.empty());
}

TEST(LoadSettings, NamesIgnoreCaseAndValuesLoseBlanksAndOneQuotePair) {
    TempFolder folder;
    folder.WriteFile("a.ini", "[WINDOW]\n left = 12 \nTOP=\"7\"\n[folder]\r\n"
                              "Source =  \"/home/me/my data\"  \ndivide=\"\"/x\"\"\n");
    Settings settings = LoadSettings(folder / "a.ini");
    EXPECT_EQ(settings.windowLeft, 12);
    EXPECT_EQ(settings.windowTop, 7);
    EXPECT_EQ(settings.source, "/home/me/my data");
    EXPECT_EQ(settings.divide, "\"/x\"");
}

TEST(LoadSettings, IntegersInDecimalOrHexElseTheDefault) {
    TempFolder folder;
    folder.WriteFile("a.ini", "[Option]\nPosition=0x50\n[Window]\nLeft=-30\nTop=0x\n"
                              "[cWindow]\nLeft=12abc\nTop=99999999999\nWidth=0XfF\nHeight=+4\n");
    Settings settings = LoadSettings(folder / "a.ini");
    EXPECT_EQ(settings.freeSpacePercent, 80);
    EXPECT_EQ(settings.windowLeft, -30);
    EXPECT_EQ(settings.windowTop, 0);
    EXPECT_EQ(settings.cWindowLeft, 0);
    EXPECT_EQ(settings.cWindowTop, 0);
    EXPECT_EQ(settings.cWindowWidth, 255);
    EXPECT_EQ(settings.cWindowHeight, 4);
    folder.WriteFile("b.ini", "[Option]\nPosition=ninety\n");
    EXPECT_EQ(LoadSettings(folder / "b.ini").freeSpacePercent, 95);
}

TEST(LoadSettings, ValuesAreCutTo2047BytesAtACharacterBoundary) {
    TempFolder folder;
    std::string longValue = "/" + std::string(2045, 'a') + "日本";
    folder.WriteFile("a.ini", "[Folder]\nsource=" + longValue + "\n");
    EXPECT_EQ(LoadSettings(folder / "a.ini").source, longValue.substr(0, 2046));
    std::string exact = std::string(2047, 'b');
    folder.WriteFile("b.ini", "[Folder]\nsource=" + exact + "x\n");
    EXPECT_EQ(LoadSettings(folder / "b.ini").source, exact);
}

TEST(LoadSettings, HistorySplitsAtCommas) {
    TempFolder folder;
    auto historyOf = [&](const std::string& value) {
        folder.WriteFile("h.ini", "[Folder]\nhistory=" + value + "\n");
        return LoadSettings(folder / "h.ini").history;
    };
    using List = std::vector<std::string>;
    EXPECT_EQ(historyOf("/a/x,/b/y"), (List{"/a/x", "/b/y"}));
    EXPECT_EQ(historyOf(""), List{});
    EXPECT_EQ(historyOf("/c/my data"), List{"/c/my data"});
    EXPECT_EQ(historyOf("/a,,/b,"), (List{"/a", "", "/b"}));
    EXPECT_EQ(historyOf(","), List{""});
}

TEST(SaveSettings, RoundTripKeepsBlanksQuotesAndJapanese) {
    TempFolder folder;
    Settings settings;
    settings.windowLeft = -8;
    settings.windowTop = 1200;
    settings.cWindowLeft = 1;
    settings.cWindowTop = 2;
    settings.cWindowWidth = 3;
    settings.cWindowHeight = 4;
    settings.freeSpacePercent = 0;
    settings.verifyAfterWrite = false;
    settings.ejectWritten = false;
    settings.packTight = true;
    settings.recoveryDisks = 3;
    settings.source = "/home/me/写真 2024";
    settings.divide = " /media/usb stick ";
    settings.dest = "\"/home/me/復元\"";
    settings.history = {"/tmp/ある フォルダ", " lead", "\"quoted\""};
    Settings back = RoundTrip(folder, settings);
    EXPECT_EQ(back.windowLeft, -8);
    EXPECT_EQ(back.windowTop, 1200);
    EXPECT_EQ(back.cWindowLeft, 1);
    EXPECT_EQ(back.cWindowTop, 2);
    EXPECT_EQ(back.cWindowWidth, 3);
    EXPECT_EQ(back.cWindowHeight, 4);
    EXPECT_EQ(back.freeSpacePercent, 0);
    EXPECT_FALSE(back.verifyAfterWrite);
    EXPECT_FALSE(back.ejectWritten);
    EXPECT_TRUE(back.packTight);
    EXPECT_EQ(back.recoveryDisks, 3);
    EXPECT_EQ(back.source, settings.source);
    EXPECT_EQ(back.divide, settings.divide);
    EXPECT_EQ(back.dest, settings.dest);
    EXPECT_EQ(back.history, settings.history);
}

TEST(SaveSettings, WritesEveryKeyInItsOrder) {
    TempFolder folder;
    Settings settings;
    settings.source = "/s";
    std::string failure;
    ASSERT_TRUE(SaveSettings(folder / "a.ini", settings, failure));
    EXPECT_EQ(folder.ReadFile("a.ini"),
              "[Window]\nLeft=0\nTop=0\n[cWindow]\nLeft=0\nTop=0\n"
              "Width=0\nHeight=0\n[Option]\nPosition=95\nVerify=1\nEject=1\nPack=0\nRecovery=0\n"
              "[Folder]\n"
              "source=/s\ndivide=\ndest=\nhistory=\n");
}

TEST(SaveSettings, KeepsCommentsUnknownKeysAndSectionsOfTheFile) {
    TempFolder folder;
    folder.WriteFile("a.ini", "; written by hand\r\n[window]\r\nleft=5\r\nColour=blue\r\n\r\n"
                              "[Other]\r\nkey = kept \r\n; note\r\n");
    Settings settings = LoadSettings(folder / "a.ini");
    settings.windowLeft = 40;
    std::string failure;
    ASSERT_TRUE(SaveSettings(folder / "a.ini", settings, failure));
    EXPECT_EQ(folder.ReadFile("a.ini"),
              "; written by hand\r\n[window]\r\nLeft=40\r\nColour=blue\r\nTop=0\r\n\r\n"
              "[Other]\r\nkey = kept \r\n; note\r\n[cWindow]\r\nLeft=0\r\nTop=0\r\nWidth=0\r\n"
              "Height=0\r\n[Option]\r\nPosition=95\r\nVerify=1\r\nEject=1\r\nPack=0\r\n"
              "Recovery=0\r\n[Folder]\r\nsource=\r\ndivide=\r\ndest=\r\nhistory=\r\n");
}

TEST(SaveSettings, HistoryLeavesOutTheCurrentTextExactly) {
    TempFolder folder;
    Settings settings;
    settings.dest = "/c/b";
    settings.history = {"/c/a", "/c/b", "/c/c", "/C/B"};
    Settings back = RoundTrip(folder, settings);
    EXPECT_EQ(back.history, (std::vector<std::string>{"/c/a", "/c/c", "/C/B"}));
}

TEST(SaveSettings, HistoryKeepsSixEntriesAndLeavesOutOnesWithCommas) {
    TempFolder folder;
    Settings settings;
    settings.dest = "/d";
    settings.history = {"/1", "/a,b", "/2", "/d", "/3", "/4", "/5", "/6", "/7", "/8"};
    Settings back = RoundTrip(folder, settings);
    EXPECT_EQ(back.history, (std::vector<std::string>{"/1", "/2", "/3", "/4", "/5", "/6"}));
    settings.history.clear();
    EXPECT_TRUE(RoundTrip(folder, settings).history.empty());
}

TEST(SaveSettings, UnwritableLocationGivesTheMessage) {
    TempFolder folder;
    folder.MakeFolder("taken.ini");
    folder.WriteFile("file", "x");
    std::string failure;
    EXPECT_FALSE(SaveSettings(folder / "taken.ini", Settings{}, failure));
    EXPECT_EQ(failure, folder / "taken.ini" + " に書き込めません");
    std::string below = folder / "file/Arbolink.ini";
    EXPECT_FALSE(SaveSettings(below, Settings{}, failure));
    EXPECT_EQ(failure, below + " に書き込めません");
}

TEST(SaveSettings, CreatesTheMissingConfigurationFolder) {
    TempFolder folder;
    std::string failure;
    ASSERT_TRUE(SaveSettings(folder / "config/arbolink/arbolink.ini", Settings{}, failure));
    EXPECT_EQ(LoadSettings(folder / "config/arbolink/arbolink.ini").freeSpacePercent, 95);
}

} // namespace
} // namespace arbolink
