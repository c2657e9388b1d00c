// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanningTestSupport.h"
#include "core/SetFormat.h"
#include "core/divide/DiskAssignment.h"
#include "core/rFile/SetReader.h"
#include "core/wFile/SetWriter.h"
#include "core/wFile/SplitRun.h"
#include "fs/Folders.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

#include <ctime>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace arbolink {
namespace {

using test::ScriptedHost;
using test::TempFolder;
using test::ValuesWith;
using ::testing::ElementsAre;

TEST(SplitFields, FollowsTheLineRule) {
    EXPECT_THAT(SplitFields(""), ElementsAre());
    EXPECT_THAT(SplitFields("\"\""), ElementsAre(""));
    EXPECT_THAT(SplitFields("\"\",\"a.txt\",\"a.txt\""), ElementsAre("", "a.txt", "a.txt"));
    EXPECT_THAT(SplitFields("  \"a, b\" , c d,\"say \"\"hi\"\"\""),
                ElementsAre("a, b", "c", "d", "say \"hi\""));
    EXPECT_THAT(SplitFields("\"2026/12/09 07:30:00\",1,3"),
                ElementsAre("2026/12/09 07:30:00", "1", "3"));
    EXPECT_THAT(SplitFields("\"open"), ElementsAre("open"));
    EXPECT_THAT(SplitFields(",,x"), ElementsAre("", "", "x"));
    EXPECT_THAT(SplitFields(std::string("a\0b", 3)), ElementsAre("a", "b")); // NUL never stalls
}

TEST(SetFormat, LinesAreQuotedFieldsEndedByCrLf) {
    EXPECT_EQ(IndexLine("", "a.txt", "a.txt"), "\"\",\"a.txt\",\"a.txt\"\r\n");
    EXPECT_EQ(IndexLine("docs\\", "q\"z", "q_z"), "\"docs\\\",\"q\"\"z\",\"q_z\"\r\n");
    EXPECT_EQ(IdentityLine("2026/12/09 7:30:00", 2, 3), "\"2026/12/09 7:30:00\",2,3\r\n");
    EXPECT_THAT(SplitLines(""), ElementsAre(""));
    EXPECT_THAT(SplitLines("a\r\nb"), ElementsAre("a", "b"));
    EXPECT_THAT(SplitLines("a\r\n\r\n"), ElementsAre("a", ""));
}

TEST(SetFormat, DoublesQuotesAnywhereAndAppendsLinesToABuffer) {
    EXPECT_EQ(IndexLine("\"", "\"\"a\"", "b\""),
              "\"\"\"\",\"\"\"\"\"a\"\"\",\"b\"\"\"\r\n"); // quotes at the ends and side by side
    std::string lines = "first\r\n";
    AppendIndexLine(lines, "d\\", "x", "y");
    EXPECT_EQ(lines, "first\r\n" + IndexLine("d\\", "x", "y"));
}

TEST(SetFiles, IndexAndIdentityRoundTrip) {
    TempFolder disk;
    const std::string folder = AddBackslash(disk.path());
    PlanningValues values = ValuesWith(
        {{"", "a.txt", 1}, {"docs\\old\\", "名前 with, comma", 2}, {"表\\", "say \"hi\"", 3}});
    values.Table.SetCell(StoredName, 2, "say _hi_");
    values.Table.SetCell(Name, 3, "not written");
    ScriptedHost host;
    ASSERT_TRUE(WriteIndexFile(folder, values));
    ASSERT_TRUE(WriteIdentityFile(folder, "2026/12/09 7:30:00", 1, 3));
    EXPECT_TRUE(host.dialogs.empty());

    const std::string index = disk.ReadFile("_index.@txt");
    EXPECT_EQ(index, "\"\",\"a.txt\",\"a.txt\"\r\n"
                     "\"docs\\old\\\",\"名前 with, comma\",\"名前 with, comma\"\r\n"
                     "\"表\\\",\"say \"\"hi\"\"\",\"say _hi_\"\r\n");
    EXPECT_EQ(static_cast<std::int64_t>(index.size()), IndexFileSize(values));
    EXPECT_EQ(disk.ReadFile("_Disk.@ID"), "\"2026/12/09 7:30:00\",1,3\r\n");

    FileTable table;
    std::vector<std::string> folders;
    EXPECT_EQ(ReadIndexFile(folder, table, folders, host), 3);
    EXPECT_EQ(table.RowCount(), 3u);
    EXPECT_EQ(table.Cell(Folder, 1), "docs\\old\\");
    EXPECT_EQ(table.Cell(Name, 1), "名前 with, comma");
    EXPECT_EQ(table.Cell(Name, 2), "say \"hi\"");
    EXPECT_EQ(table.Cell(StoredName, 2), "say _hi_");
    EXPECT_THAT(folders, ElementsAre("", "docs\\old\\", "表\\"));

    auto identity = ReadIdentity(folder, host);
    ASSERT_TRUE(identity.has_value());
    EXPECT_EQ(identity->setId, "2026/12/09 7:30:00");
    EXPECT_EQ(identity->disk, 1);
    EXPECT_EQ(identity->diskCount, 3);
    EXPECT_TRUE(host.dialogs.empty());
}

TEST(SetFiles, ReadsShiftJisIndexes) {
    TempFolder disk;
    // 表\ as folder (0x95 0x5C 0x5C) and ソ.txt (0x83 0x5C) as name, in CP932 bytes.
    disk.WriteFile("_index.@txt", "\"\x95\x5C\x5C\",\"\x83\x5C.txt\",\"\x83\x5C.txt\"\r\n");
    ScriptedHost host;
    FileTable table;
    table.Allocate(1);
    std::vector<std::string> folders;
    ASSERT_EQ(ReadIndexFile(AddBackslash(disk.path()), table, folders, host), 1);
    EXPECT_EQ(table.Cell(Folder, 0), "表\\");
    EXPECT_EQ(table.Cell(Name, 0), "ソ.txt");
    EXPECT_EQ(table.Cell(StoredName, 0), "ソ.txt");
}

TEST(SetFiles, CountsRowsTheWayTheReaderSeesThem) {
    TempFolder disk;
    const std::string folder = AddBackslash(disk.path());
    ScriptedHost host;
    FileTable table;
    std::vector<std::string> folders;
    disk.WriteFile("_index.@txt", "\"\",\"a\",\"a\"");
    EXPECT_EQ(ReadIndexFile(folder, table, folders, host), 1); // a last line without its end
    disk.WriteFile("_index.@txt", "\"\",\"a\",\"a\"\r\n\r\n\"\",\"b\",\"b\"\r\n");
    EXPECT_EQ(ReadIndexFile(folder, table, folders, host), 2);
    EXPECT_EQ(table.RowCount(), 2u);
    disk.WriteFile("_index.@txt", "");
    EXPECT_EQ(ReadIndexFile(folder, table, folders, host), 0); // a set of no files
    EXPECT_TRUE(host.dialogs.empty());
}

TEST(SetFiles, MissingFilesAreReported) {
    TempFolder disk;
    const std::string folder = AddBackslash(disk.path());
    ScriptedHost host;
    FileTable table;
    std::vector<std::string> folders;
    EXPECT_EQ(ReadIndexFile(folder, table, folders, host), -1);
    EXPECT_EQ(ReadIndexFile(folder, table, folders, host), -1);
    host.Answer(Button::Retry, "ディスクを確認してください");
    host.Answer(Button::Abort, "ディスクを確認してください");
    EXPECT_FALSE(ReadIdentity(folder, host).has_value());
    EXPECT_THAT(host.DialogTexts(),
                ElementsAre("このディスクは使えません\n\n確認してください",
                            "このディスクは使えません\n\n確認してください",
                            "ディスクを確認してください", "ディスクを確認してください"));
    EXPECT_EQ(host.dialogs[2].kind, DialogKind::Confirmation);
    EXPECT_THAT(host.dialogs[2].buttons, ElementsAre(Button::Abort, Button::Retry));
    EXPECT_EQ(host.Details(test::Event::Type::Beep).size(), 4u);
}

TEST(SetFiles, RetryReadsTheIdentityOnceTheDiskAnswers) {
    TempFolder disk;
    // The user puts the disk in while the question is up.
    std::string folder = AddBackslash(disk.path());
    struct Inserter : test::ScriptedHost {
        TempFolder* disk = nullptr;
        Button ShowDialog(DialogKind kind, const std::string& text,
                          const Buttons& buttons) override {
            disk->WriteFile("_Disk.@ID", "\"id\",2,2\r\n");
            return ScriptedHost::ShowDialog(kind, text, buttons);
        }
    } inserter;
    inserter.disk = &disk;
    inserter.Answer(Button::Retry);
    auto identity = ReadIdentity(folder, inserter);
    ASSERT_TRUE(identity.has_value());
    EXPECT_EQ(identity->disk, 2);
    EXPECT_EQ(inserter.dialogs.size(), 1u);
}

TEST(SetFiles, MalformedFilesAreFormatErrors) {
    TempFolder disk;
    const std::string folder = AddBackslash(disk.path());
    ScriptedHost host;
    for (const char* bad :
         {"", "\"id\",1", "\"id\",one,3", "\"id\",1,3x", "\xff\xfe\x00\x01", "\"id\",99999999999,1",
          "\"id\",0,3", "\"id\",4,3", "\"id\",1,0", "\"id\",-1,3", "\"id\",0,0"}) {
        disk.WriteFile("_Disk.@ID", bad);
        EXPECT_THROW(ReadIdentity(folder, host), SetFormatError) << bad;
    }
    FileTable table;
    table.Allocate(1);
    std::vector<std::string> folders;
    disk.WriteFile("_index.@txt", "\"only\",\"two\"\r\n");
    EXPECT_THROW(ReadIndexFile(folder, table, folders, host), SetFormatError);
    table.Allocate(1);
    EXPECT_THROW(ParseIndex("\"a\",\"b\",\"c\"\r\n\"d\",\"e\",\"f\"\r\n", table, folders),
                 SetFormatError); // table too small
    try {
        disk.WriteFile("_index.@txt", "\"a\",\"b\",\"c\"\r\nbroken\r\n");
        ReadIndexFile(folder, table, folders, host);
        FAIL() << "no format error";
    } catch (const SetFormatError& error) {
        EXPECT_STREQ(error.what(),
                     "ディスクのファイル「_index.@txt」の形式が正しくありません（2 行目）");
    }
}

// Sets begun in the same second never share an identity.
TEST(SetFiles, NewSetIdsDifferWithinOneSecond) {
    const std::time_t moment = 1'765'000'000;
    const std::string first = NewSetId(moment);
    const std::string second = NewSetId(moment);
    EXPECT_NE(first, second);
    for (const std::string& id : {first, second}) {
        ASSERT_EQ(id.size(), SetIdAt(moment).size() + 18) << id;
        EXPECT_TRUE(id.starts_with(SetIdAt(moment) + " #")) << id;
        EXPECT_EQ(id.find_first_not_of("0123456789abcdef", id.size() - 16), std::string::npos);
        // It survives the identity line unchanged.
        EXPECT_EQ(ParseIdentity(IdentityLine(id, 1, 2)).setId, id);
    }
}

TEST(SetFiles, AWriteThatFailsLeavesNoFile) {
    TempFolder disk;
    PlanningValues values = ValuesWith({{"", "a", 1}});
    const std::string missing = AddBackslash(disk / "not-there");
    EXPECT_FALSE(WriteIndexFile(missing, values));
    EXPECT_FALSE(WriteIdentityFile(missing, "id", 1, 1));
    // A folder in the way of the index: the rename fails, the old folder stays.
    disk.MakeFolder("_index.@txt/keep");
    EXPECT_FALSE(WriteIndexFile(AddBackslash(disk.path()), values));
    EXPECT_TRUE(FolderExists(disk / "_index.@txt/keep"));
    EXPECT_FALSE(FileExists(disk / "_index.@txt.tmp~"));
}

} // namespace
} // namespace arbolink
