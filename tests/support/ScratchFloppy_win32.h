// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The removable drive A: that scripts/test-windows.sh maps to a scratch folder in Wine's drive
// configuration. Tests that write on it or empty it skip unless its marker file is there, so
// that a real floppy disk is never touched. Windows only.

#include "fs/Folders.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace arbolink::test {

inline const std::string kScratchRoot = "a:\\";
inline const std::string kScratchMarker = "a:\\arbolink-scratch-disk";

class ScratchFloppyTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (GetDriveTypeW(L"A:\\") != DRIVE_REMOVABLE || !FileExists(kScratchMarker)) {
            GTEST_SKIP() << "no scratch floppy: A: must be a removable drive holding "
                         << kScratchMarker << " (scripts/test-windows.sh sets it up in Wine)";
        }
        // A scratch disk as a user would insert it: holding nothing but the marker.
        ASSERT_TRUE(DeleteFolderContents(kScratchRoot, kScratchRoot));
        RestoreMarker();
    }
    void TearDown() override {
        if (FileExists(kScratchMarker) || IsSkipped()) {
            return;
        }
        DeleteFolderContents(kScratchRoot, kScratchRoot);
        RestoreMarker();
    }

private:
    static void RestoreMarker() { ASSERT_TRUE(WriteFileAtomically(kScratchMarker, "")); }
};

} // namespace arbolink::test
