// SPDX-License-Identifier: GPL-3.0-or-later
// A cache folder too small for the parity of recovery disks is found before any disk is
// written. Needs the right to mount (root).
#include "CliRun.h"
#include "core/recovery/RecoveryMessages.h"
#include "support/ScopedVariable_posix.h"
#include "support/TempFolder.h"
#include "support/TmpfsDisk_posix.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;

TEST(CliRecoveryTmpfs, ACacheTooSmallForTheParityStopsBeforeTheFirstDisk) {
    test::TempFolder root;
    root.MakeFolder("cache");
    test::TmpfsDisk cache(root / "cache", 256);
    if (!cache.Insert()) {
        GTEST_SKIP() << "a tmpfs cache folder needs the right to mount: " << cache.error();
    }
    test::ScopedVariable variable("XDG_CACHE_HOME", (root / "cache").c_str());
    for (unsigned i = 1; i <= 3; ++i) {
        root.WriteFile("src/f" + std::to_string(i) + ".bin", test::Contents(400'000, i));
    }
    // Each disk holds one file: two parity streams of 400 000 bytes need 800 000.
    test::CliResult divide =
        test::RunCliWith({"divide", root / "src", "--disk-folders", root / "stage", "--capacity",
                          "500000", "--recovery-disks", "2", "--yes"});
    EXPECT_EQ(divide.code, 1) << divide.err;
    const std::string tooSmall = msg::kRecoveryCacheTooSmall;
    EXPECT_NE(divide.err.find(tooSmall.substr(0, tooSmall.find('\n'))), std::string::npos)
        << divide.err;
    EXPECT_NE(divide.err.find("800000 バイトの空きが必要"), std::string::npos) << divide.err;
    EXPECT_FALSE(stdfs::exists(root / "stage/disk01"));
    EXPECT_TRUE(stdfs::is_empty(root / "cache/arbolink"));
}

} // namespace
} // namespace arbolink
