// SPDX-License-Identifier: GPL-3.0-or-later
#include "InventoryWalk.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace arbolink {
namespace {

using test::RunFixture;
using test::TempFolder;
using test::Walk;
using ::testing::UnorderedElementsAre;

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

} // namespace
} // namespace arbolink
