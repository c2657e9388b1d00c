// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/FileSizeLimit.h"

#include "support/TempFolder.h"
#include "support/TmpfsDisk_posix.h"

#include <gtest/gtest.h>

namespace arbolink {
namespace {

TEST(FileSizeLimit, NoLimitOnTmpfsEvenForAFolderNotYetCreated) {
    test::TempFolder folder;
    folder.MakeFolder("disk");
    test::TmpfsDisk disk(folder / "disk", 64);
    if (!disk.Insert()) {
        GTEST_SKIP() << disk.error();
    }
    EXPECT_EQ(FileSizeLimit(folder / "disk"), -1);
    EXPECT_EQ(FileSizeLimit(folder / "disk/@dummy@/"), -1);
}

TEST(FileSizeLimit, UnknownPathsSetNoLimit) {
    EXPECT_EQ(FileSizeLimit(""), -1);
    EXPECT_EQ(FileSizeLimit("relative/missing/"), -1);
}

} // namespace
} // namespace arbolink
