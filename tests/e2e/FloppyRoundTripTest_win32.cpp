// SPDX-License-Identifier: GPL-3.0-or-later
// A divide onto the removable drive a:\ and a restore from it, on Windows paths with names
// the ANSI code page cannot hold, through the commands as the main window runs them.
#include "core/Formatted.h"
#include "core/Session.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/SplitCommand.h"
#include "core/rFile/RestoreCommand.h"
#include "core/wFile/WriteMessages.h"
#include "fs/Folders.h"
#include "support/ScratchFloppy_win32.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"
#include "support/WindowsNames_win32.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

using test::kOutsideAnsi;
using test::ScriptedHost;
using test::TempFolder;

struct TreeFile {
    std::string relative; // with "/"
    std::string contents;
};

std::vector<TreeFile> Tree() {
    return {
        {"写真/2026/表.jpg", std::string(70'000, 'p')},
        {"写真/2026/空", ""},
        {kOutsideAnsi + "/" + kOutsideAnsi + ".txt", "한글"},
        {"docs/a.txt", "a"},
        {"top.txt", std::string(5'000, 't')},
    };
}

class FloppyRoundTrip : public test::ScratchFloppyTest {
protected:
    void SetUp() override {
        ScratchFloppyTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        for (const TreeFile& file : Tree()) {
            source.WriteFile(file.relative, file.contents);
        }
        host.fields.source = source.path();
        host.fields.destination = "a:\\";
        host.fields.restoreTo = out.path();
    }

    TempFolder source;
    TempFolder out;
    Session session;
    ScriptedHost host;
};

TEST_F(FloppyRoundTrip, DividesIntoTheDummyFolderAndRestoresTheTree) {
    const std::string prepare = Formatted(msg::kPrepareDisks, 1);
    const std::string insert = Formatted(msg::kInsertDisk, 1);
    host.Answer(Button::Ok, prepare);
    host.Answer(Button::Ok, insert);
    BitBtn2Click(session, host);
    EXPECT_EQ(host.DialogTexts(), (std::vector<std::string>{prepare, insert, msg::kCopyFinished}));
    // A drive root never holds the set itself: it goes into "@dummy@" beside what was there.
    EXPECT_TRUE(FileExists(test::kScratchMarker));
    EXPECT_TRUE(FileExists("a:\\@dummy@\\_index.@txt"));
    EXPECT_TRUE(FileExists("a:\\@dummy@\\_Disk.@ID"));
    EXPECT_TRUE(FileExists("a:\\@dummy@\\" + kOutsideAnsi + ".txt"));

    ScriptedHost restoring;
    restoring.fields = host.fields;
    BitBtn3Click(session, restoring);
    // The restore closes with the same words as the divide (its messages cannot be included
    // beside the divide's: both name a copy failure).
    EXPECT_EQ(restoring.DialogTexts(), std::vector<std::string>{msg::kCopyFinished});
    for (const TreeFile& file : Tree()) {
        EXPECT_TRUE(out.ReadFile(file.relative) == file.contents) << file.relative;
        EXPECT_TRUE(FileExists(out / file.relative)) << file.relative;
    }
}

TEST_F(FloppyRoundTrip, ASourceInsideTheSetFolderIsNeverEmptiedWhateverTheLetterCase) {
    // The set's folder on the disk holds the source, written in other letters: emptying it
    // as the removable disk's question offers would delete the source.
    ASSERT_TRUE(CreateFolders("a:\\@dummy@\\src"));
    ASSERT_TRUE(WriteFileAtomically("a:\\@dummy@\\src\\keep.txt", "k"));
    host.fields.source = "A:\\@DUMMY@\\SRC";
    BitBtn2Click(session, host);
    EXPECT_EQ(host.DialogTexts(), std::vector<std::string>{msg::kFoldersOverlap});
    EXPECT_TRUE(FileExists("a:\\@dummy@\\src\\keep.txt"));
}

} // namespace
} // namespace arbolink
