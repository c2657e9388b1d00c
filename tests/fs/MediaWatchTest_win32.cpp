// SPDX-License-Identifier: GPL-3.0-or-later
// The media watcher on Windows: the removable drive A: that the test script sets up in Wine is
// a medium, named by its drive letter.
#include "fs/MediaWatch.h"

#include "support/ScratchFloppy_win32.h"

#include <gtest/gtest.h>

namespace arbolink {
namespace {

using MediaWatchWin32Test = test::ScratchFloppyTest;

TEST_F(MediaWatchWin32Test, TheFloppyIsAMediumOfItsDriveLetter) {
    std::unique_ptr<MediaWatcher> watcher = OpenMediaWatcher();
    ASSERT_NE(watcher, nullptr);
    EXPECT_TRUE(watcher->Poll().empty());
    const Medium* floppy = watcher->MediumHolding("a:\\@dummy@\\");
    ASSERT_NE(floppy, nullptr);
    EXPECT_EQ(floppy->drive, "A:\\");
    EXPECT_EQ(floppy->mountPoint, "A:\\");
    EXPECT_EQ(floppy->kind, "Rem");
    EXPECT_EQ(floppy->id.rfind("A:\\", 0), 0u);
    EXPECT_EQ(watcher->MediumHolding("c:\\"), nullptr);
    EXPECT_FALSE(watcher->CanEject());
}

} // namespace
} // namespace arbolink
