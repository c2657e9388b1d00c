#include "core/divide/Inventory.h"

#include "PlanningTestSupport.h"
#include "core/Progress.h"
#include "fs/Folders.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/fsuid.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace arbolink {
namespace {

using test::RunFixture;
using test::TempFolder;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

// Runs the count, allocation and filling walk the way the planning does.
struct Walk {
    explicit Walk(const TempFolder& source) {
        values.SourceRoot = AddBackslash(source.path());
        CountFiles(values, values.SourceRoot);
        values.Table.Allocate(static_cast<std::size_t>(values.FileCount) + 1);
        values.RunStatus = kRunning;
    }
    void Fill(RunFixture& fixture) {
        FillFileTable(fixture.run, values.SourceRoot, ProgressStepFor(values.FileCount), rowIndex);
    }
    // "folder|name|size" of every row written.
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (std::int64_t r = 0; r <= rowIndex; ++r) {
            auto i = static_cast<std::size_t>(r);
            rows.push_back(values.Table.Cell(Folder, i) + "|" + values.Table.Cell(Name, i) + "|" +
                           values.Table.Cell(Size, i));
        }
        return rows;
    }
    PlanningValues values;
    std::int64_t rowIndex = -1;
};

TEST(Inventory, ListsEveryFileWithItsFolderNameAndSize) {
    TempFolder source;
    source.WriteFile("top.txt", "12345");
    source.WriteFile(".hidden", "x");
    source.WriteFile("a/b/deep.txt", "");
    source.WriteFile("a/top.txt", "ab");
    source.MakeFolder("empty/inner");
    std::string readOnly = source / "a/ro.txt";
    source.WriteFile("a/ro.txt", "r");
    chmod(readOnly.c_str(), 0444);

    Walk walk(source);
    EXPECT_EQ(walk.values.FileCount, 5);
    RunFixture fixture(walk.values);
    walk.Fill(fixture);
    EXPECT_EQ(walk.values.RunStatus, kRunning);
    EXPECT_EQ(walk.rowIndex, 4);
    EXPECT_THAT(walk.Rows(), UnorderedElementsAre("|top.txt|5", "|.hidden|1", "a\\b\\|deep.txt|0",
                                                  "a\\|top.txt|2", "a\\|ro.txt|1"));
    for (std::size_t r = 0; r < 5; ++r) {
        EXPECT_EQ(walk.values.Table.Cell(StoredName, r), walk.values.Table.Cell(Name, r));
        EXPECT_EQ(walk.values.Table.Cell(Disk, r), "");
    }
    EXPECT_EQ(walk.values.Table.Cell(Name, 5), ""); // the program row stays empty
    EXPECT_TRUE(walk.values.Skipped.empty());
}

TEST(Inventory, EmptyTreesGiveNoRowsAndNoGauge) {
    TempFolder source;
    source.MakeFolder("only/empty/folders");
    Walk walk(source);
    EXPECT_EQ(walk.values.FileCount, 0);
    RunFixture fixture(walk.values);
    walk.Fill(fixture);
    EXPECT_EQ(walk.rowIndex, -1);
    EXPECT_TRUE(fixture.record().gauge.empty());
}

TEST(Inventory, GaugeShowsTheLastRowIndexEveryStep) {
    TempFolder eight;
    for (int i = 0; i < 8; ++i) {
        eight.WriteFile("f" + std::to_string(i), "");
    }
    Walk walk(eight);
    RunFixture fixture(walk.values);
    walk.Fill(fixture);
    EXPECT_THAT(fixture.record().gauge, ElementsAre(0, 12, 25, 38, 50, 62, 75, 88));

    TempFolder many;
    for (int i = 0; i < 250; ++i) {
        many.WriteFile("f" + std::to_string(i), "");
    }
    Walk big(many);
    RunFixture second(big.values);
    big.Fill(second);
    ASSERT_EQ(second.record().gauge.size(), 125u); // rows 0, 2, 4 ... 248
    EXPECT_EQ(second.record().gauge[62], 50);      // row 124: 49.6
    EXPECT_EQ(second.record().gauge.back(), 99);
}

TEST(Inventory, AFileAddedAfterTheCountStopsTheWalk) {
    TempFolder source;
    source.WriteFile("a", "1");
    source.WriteFile("b", "2");
    Walk walk(source);
    source.WriteFile("c", "3");
    RunFixture fixture(walk.values);
    walk.Fill(fixture);
    EXPECT_EQ(walk.values.RunStatus, kTooManyFiles);
    ASSERT_EQ(fixture.host.dialogs.size(), 1u);
    EXPECT_EQ(fixture.host.dialogs[0].text, "複写ファイルが多すぎます");
    EXPECT_EQ(fixture.host.dialogs[0].kind, DialogKind::Warning);
    ASSERT_GE(fixture.host.events.size(), 2u);
    auto dialog =
        std::find_if(fixture.host.events.begin(), fixture.host.events.end(),
                     [](const test::Event& e) { return e.type == test::Event::Type::Dialog; });
    ASSERT_NE(dialog, fixture.host.events.begin());
    EXPECT_EQ((dialog - 1)->type, test::Event::Type::Beep);
}

TEST(Inventory, CancelStopsAfterTheCurrentEntry) {
    TempFolder source;
    for (int i = 0; i < 10; ++i) {
        source.WriteFile("d/f" + std::to_string(i), "x");
    }
    Walk walk(source);
    RunFixture fixture(walk.values);
    fixture.host.onProcessMessages = [&] {
        if (fixture.host.processMessagesCalls == 3) {
            fixture.host.PressCancel();
        }
    };
    walk.Fill(fixture);
    EXPECT_EQ(walk.values.RunStatus, kCancelled);
    EXPECT_EQ(walk.rowIndex, 2);
    EXPECT_EQ(fixture.host.processMessagesCalls, 3);
}

TEST(Inventory, LeavesBehindWhatASetCannotCarryAndSaysSo) {
    TempFolder source;
    source.WriteFile("real.txt", "content");
    source.WriteFile("elsewhere/target", "t");
    ASSERT_EQ(symlink((source / "real.txt").c_str(), (source / "link-to-file").c_str()), 0);
    ASSERT_EQ(symlink((source / "elsewhere").c_str(), (source / "link-to-folder").c_str()), 0);
    ASSERT_EQ(symlink((source / "missing").c_str(), (source / "dangling").c_str()), 0);
    ASSERT_EQ(mkfifo((source / "fifo").c_str(), 0600), 0);
    source.WriteFile("line\nbreak", "x");
    source.WriteFile("back\\slash/inside", "x");
    source.WriteFile(std::string("bad\xff") + "name", "x");
    // Names no restore takes: a set holding them could not be restored at all.
    source.WriteFile("yen\\mark.txt", "x");
    source.WriteFile("c:drive.txt", "x");
    source.WriteFile("d:folder/inside", "x");
    source.WriteFile("colon:later.txt", "kept");

    Walk walk(source);
    EXPECT_EQ(walk.values.FileCount, 4); // real.txt, link-to-file, elsewhere/target, colon:later
    RunFixture fixture(walk.values);
    walk.Fill(fixture); // must not hang on the FIFO
    EXPECT_EQ(walk.values.RunStatus, kRunning);
    EXPECT_THAT(walk.Rows(), UnorderedElementsAre("|real.txt|7", "|link-to-file|7",
                                                  "elsewhere\\|target|1", "|colon:later.txt|4"));
    std::map<std::string, NotCarriedReason> skipped;
    for (const NotCarried& entry : walk.values.Skipped) {
        skipped[entry.path] = entry.reason;
    }
    EXPECT_EQ(skipped.size(), 9u);
    EXPECT_EQ(skipped["link-to-folder"], NotCarriedReason::LinkToFolder);
    EXPECT_EQ(skipped["dangling"], NotCarriedReason::DanglingLink);
    EXPECT_EQ(skipped["fifo"], NotCarriedReason::SpecialFile);
    EXPECT_EQ(skipped["line\nbreak"], NotCarriedReason::LineBreakInName);
    EXPECT_EQ(skipped["back\\slash"], NotCarriedReason::SeparatorInFolderName);
    EXPECT_EQ(skipped["bad\xffname"], NotCarriedReason::NotUtf8Name);
    EXPECT_EQ(skipped["yen\\mark.txt"], NotCarriedReason::NotRestorableName);
    EXPECT_EQ(skipped["c:drive.txt"], NotCarriedReason::NotRestorableName);
    EXPECT_EQ(skipped["d:folder"], NotCarriedReason::NotRestorableName);
}

// Runs a function with the file-system identity of an unprivileged user, so that folder
// permissions apply even to a root test run.
template <typename F> void AsUnprivileged(F&& f) {
    const uid_t saved = static_cast<uid_t>(setfsuid(static_cast<uid_t>(-1)));
    if (geteuid() == 0) {
        setfsuid(65534);
    }
    f();
    setfsuid(saved);
}

TEST(Inventory, ReportsAnUnreadableFolder) {
    TempFolder source;
    chmod(source.path().c_str(), 0755);
    source.WriteFile("open.txt", "x");
    source.WriteFile("locked/secret", "x");
    chmod((source / "open.txt").c_str(), 0644);
    chmod((source / "locked").c_str(), 0);
    AsUnprivileged([&] {
        Walk walk(source);
        RunFixture fixture(walk.values);
        walk.Fill(fixture);
        EXPECT_EQ(walk.rowIndex, 0);
        ASSERT_EQ(walk.values.Skipped.size(), 1u);
        EXPECT_EQ(walk.values.Skipped[0].path, "locked/");
        EXPECT_EQ(walk.values.Skipped[0].reason, NotCarriedReason::UnreadableFolder);
    });
}

TEST(Inventory, ProgramRowFromTheProgramsOwnFile) {
    TempFolder place;
    place.WriteFile("bin/arbolink", "program bytes");
    PlanningValues values;
    values.FileCount = 2;
    values.Table.Allocate(3);
    values.ProgramFile = place / "bin/arbolink";
    AddProgramRow(values);
    EXPECT_EQ(values.Table.Cell(Folder, 2), "main body");
    EXPECT_EQ(values.Table.Cell(Name, 2), "arbolink");
    EXPECT_EQ(values.Table.Cell(StoredName, 2), "arbolink");
    EXPECT_EQ(values.Table.Cell(Size, 2), "13");
    EXPECT_EQ(values.Table.Cell(Disk, 2), "1");

    values.Table.Allocate(3);
    values.ProgramFile = place / "bin/missing";
    AddProgramRow(values);
    EXPECT_EQ(values.Table.Cell(Name, 2), "");
}

} // namespace
} // namespace arbolink
