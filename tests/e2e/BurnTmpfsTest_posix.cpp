// SPDX-License-Identifier: GPL-3.0-or-later
// A stdio: pseudo-drive whose file system is smaller than the disc planned for it: the burn is
// refused before it writes, with the message naming the drive, and the divide never ends as
// a success.
#include "CliRun.h"
#include "core/Formatted.h"
#include "core/wFile/WriteMessages.h"
#include "fs/Burner.h"
#include "support/TempFolder.h"
#include "support/TmpfsDisk_posix.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::CliResult;
using test::RunCliWith;
using test::TempFolder;

TEST(BurnTmpfsTest, TargetTooSmallForTheDiscIsToldAndNothingPassesForWritten) {
    if (!BurningBuilt()) {
        GTEST_SKIP() << "built without libburn and libisofs";
    }
    TempFolder root;
    stdfs::create_directories(root / "small");
    test::TmpfsDisk small(root / "small", 1024);
    if (!small.Insert()) {
        GTEST_SKIP() << "tmpfs disks need the right to mount: " << small.error();
    }
    root.WriteFile("src/a.bin", test::Contents(1'500'000, 1));
    root.WriteFile("src/b.bin", test::Contents(700'000, 2));
    const std::string drive = "stdio:" + root / "small/set.iso";
    // Retry finds the disc as small as before; Abort then ends the divide.
    const CliResult divide = RunCliWith({"divide", root / "src", "--burn", drive, "--capacity",
                                         "2M", "--disk-folders", root / "stage", "--yes"},
                                        "R\nA\n");
    EXPECT_NE(divide.code, 0);
    const std::string told = "stdio:" + root / "small/set-01.iso" + " のディスクの容量が足りません";
    std::size_t first = divide.err.find(told);
    ASSERT_NE(first, std::string::npos) << divide.err;
    EXPECT_NE(divide.err.find(told, first + 1), std::string::npos) << divide.err;
    EXPECT_EQ(divide.err.find(msg::kCopyFinished), std::string::npos) << divide.err;
    // Nothing was written to the pseudo-drive, and disc 2 was never asked for.
    EXPECT_TRUE(!stdfs::exists(root / "small/set-01.iso") ||
                stdfs::file_size(root / "small/set-01.iso") == 0);
    EXPECT_FALSE(stdfs::exists(root / "small/set-02.iso"));
    EXPECT_FALSE(stdfs::exists(root / "stage/disk02"));
}

} // namespace
} // namespace arbolink
