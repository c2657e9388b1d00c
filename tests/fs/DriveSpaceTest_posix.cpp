// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Drives.h"
#include "support/FakeDriveTree_posix.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace arbolink {
namespace {

using test::TempFolder;

constexpr std::int64_t kGiB = std::int64_t{1} << 30;

std::int64_t StatvfsFreeBytes(const std::string& path) {
    struct statvfs info {};
    EXPECT_EQ(statvfs(path.c_str(), &info), 0) << path;
    return static_cast<std::int64_t>(info.f_bavail * info.f_frsize);
}

// What a one-byte file really occupies on the file system of folder.
std::int64_t BytesTakenByOneByteFile(const TempFolder& scratch, const std::string& folder) {
    std::string file = folder + "/one";
    scratch.WriteFile(file.substr(scratch.path().size() + 1), "x");
    sync();
    struct stat info {};
    EXPECT_EQ(stat(file.c_str(), &info), 0);
    return static_cast<std::int64_t>(info.st_blocks) * 512;
}

// A file system mounted for one test and unmounted at its end unless the test did so.
class TestMount {
public:
    explicit TestMount(std::string folder) : folder_(std::move(folder)) {}
    ~TestMount() {
        if (mounted_) {
            umount2(folder_.c_str(), MNT_DETACH);
        }
    }
    TestMount(const TestMount&) = delete;
    TestMount& operator=(const TestMount&) = delete;

    bool MountTmpfs() {
        std::filesystem::create_directories(folder_);
        mounted_ = mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=4m") == 0;
        failure_ = mounted_ ? "" : std::strerror(errno);
        return mounted_;
    }
    bool MountExt2Image(const std::string& image) {
        std::filesystem::create_directories(folder_);
        std::string make = "truncate -s 8M '" + image + "' && mkfs.ext2 -q -F -b 1024 '" + image +
                           "' >/dev/null 2>&1 && mount -o loop '" + image + "' '" + folder_ +
                           "' >/dev/null 2>&1";
        mounted_ = std::system(make.c_str()) == 0;
        failure_ = mounted_ ? "" : "mkfs.ext2 or loop mounting failed";
        return mounted_;
    }
    bool Unmount() {
        mounted_ = umount(folder_.c_str()) != 0;
        return !mounted_;
    }
    const std::string& failure() const { return failure_; }

private:
    std::string folder_;
    std::string failure_;
    bool mounted_ = false;
};

TEST(DriveFreeBytes, IsWhatTheCallingUserMayStillWrite) {
    TempFolder folder;
    std::int64_t before = StatvfsFreeBytes(folder.path());
    std::int64_t free = DriveFreeBytes(folder.path());
    std::int64_t after = StatvfsFreeBytes(folder.path());
    EXPECT_GE(free, std::min(before, after) - 64 * 1024 * 1024);
    EXPECT_LE(free, std::max(before, after) + 64 * 1024 * 1024);
    EXPECT_GT(free, 0);
}

TEST(DriveFreeBytes, AnswersForAPathThatDoesNotExistYet) {
    TempFolder folder;
    EXPECT_NE(DriveFreeBytes(folder / "not/there/yet"), -1);
    folder.WriteFile("file", "x");
    EXPECT_NE(DriveFreeBytes(folder / "file/below-a-file"), -1);
}

TEST(DriveFreeBytes, PathsThatNameNoDriveDoNotAnswer) {
    EXPECT_EQ(DriveFreeBytes(""), -1);
    EXPECT_EQ(DriveFreeBytes("relative/folder"), -1);
}

TEST(IsFolderReady, NeedsAnExistingFolderOnADriveThatAnswers) {
    TempFolder folder;
    folder.WriteFile("file", "x");
    EXPECT_TRUE(IsFolderReady(folder.path()));
    EXPECT_TRUE(IsFolderReady(folder.path() + "/"));
    EXPECT_FALSE(IsFolderReady(folder / "missing"));
    EXPECT_FALSE(IsFolderReady(folder / "file"));
    EXPECT_FALSE(IsFolderReady(""));
}

TEST(GetDriveSpace, FailsWithAllValuesUnknownForAMissingFolder) {
    TempFolder folder;
    std::int32_t sectors = 0;
    std::int32_t bytes = 0;
    std::int64_t free = 0;
    EXPECT_FALSE(GetDriveSpace(folder / "missing", sectors, bytes, free));
    EXPECT_EQ(sectors, -1);
    EXPECT_EQ(bytes, -1);
    EXPECT_EQ(free, -1);
    EXPECT_FALSE(GetDriveSpace("relative", sectors, bytes, free));
    EXPECT_EQ(free, -1);
}

TEST(GetDriveSpace, ReportsMoreThanFourGibibytesInFull) {
    std::string folder = std::filesystem::temp_directory_path().string();
    if (StatvfsFreeBytes(folder) <= 5 * kGiB) {
        GTEST_SKIP() << "less than 5 GiB free in " << folder;
    }
    std::int32_t sectors = 0;
    std::int32_t bytes = 0;
    std::int64_t free = 0;
    ASSERT_TRUE(GetDriveSpace(folder, sectors, bytes, free));
    EXPECT_GT(free, 4 * kGiB);
    EXPECT_EQ(free, DriveFreeBytes(folder) / (std::int64_t{sectors} * bytes) *
                        (std::int64_t{sectors} * bytes));
}

TEST(GetDriveSpace, ClusterIsWhatAFileTakesOnTheSystemDisk) {
    TempFolder folder;
    std::int32_t sectors = 0;
    std::int32_t bytes = 0;
    std::int64_t free = 0;
    ASSERT_TRUE(GetDriveSpace(folder.path(), sectors, bytes, free));
    EXPECT_EQ(bytes, 512);
    EXPECT_EQ(std::int64_t{sectors} * bytes, BytesTakenByOneByteFile(folder, folder.path()));
}

TEST(GetDriveSpace, ClusterIsWhatAFileTakesOnTmpfs) {
    TempFolder folder;
    TestMount ram(folder / "ram");
    if (!ram.MountTmpfs()) {
        GTEST_SKIP() << "cannot mount tmpfs here (needs root): " << ram.failure();
    }
    std::int32_t sectors = 0;
    std::int32_t bytes = 0;
    std::int64_t free = 0;
    ASSERT_TRUE(GetDriveSpace(folder / "ram", sectors, bytes, free));
    EXPECT_EQ(std::int64_t{sectors} * bytes, BytesTakenByOneByteFile(folder, folder / "ram"));
    EXPECT_GT(free, 0);
    EXPECT_LE(free, 4 * 1024 * 1024);
    EXPECT_EQ(GetDriveKind(folder / "ram"), "Ram");
}

TEST(GetDriveSpace, ClusterIsWhatAFileTakesOnExt2WithSmallBlocks) {
    TempFolder folder;
    TestMount disk(folder / "ext2");
    if (!disk.MountExt2Image(folder / "image")) {
        GTEST_SKIP() << "cannot mount an ext2 image here (needs root, mkfs.ext2, loop): "
                     << disk.failure();
    }
    std::int32_t sectors = 0;
    std::int32_t bytes = 0;
    std::int64_t free = 0;
    ASSERT_TRUE(GetDriveSpace(folder / "ext2", sectors, bytes, free));
    EXPECT_EQ(sectors, 2);
    EXPECT_EQ(bytes, 512);
    EXPECT_EQ(BytesTakenByOneByteFile(folder, folder / "ext2"), 1024);
}

TEST(VolumeWatch, PulledTmpfsNoLongerAnswers) {
    TempFolder folder;
    std::string stick = folder / "stick";
    TestMount medium(stick);
    if (!medium.MountTmpfs()) {
        GTEST_SKIP() << "cannot mount tmpfs here (needs root): " << medium.failure();
    }
    std::int32_t sectors = 0;
    std::int32_t bytes = 0;
    std::int64_t free = 0;
    {
        VolumeWatch watch;
        watch.Remember(stick + "/sub");
        EXPECT_NE(DriveFreeBytes(stick + "/sub"), -1);
        ASSERT_TRUE(medium.Unmount());
        // The empty mount folder on the system disk would still answer.
        ASSERT_NE(StatvfsFreeBytes(stick), -1);
        EXPECT_EQ(DriveFreeBytes(stick + "/sub"), -1);
        EXPECT_EQ(DriveFreeBytes(stick), -1);
        EXPECT_FALSE(IsFolderReady(stick));
        EXPECT_FALSE(GetDriveSpace(stick, sectors, bytes, free));
        EXPECT_EQ(free, -1);
        // Paths beside the pulled volume still answer.
        EXPECT_NE(DriveFreeBytes(folder.path()), -1);
        ASSERT_TRUE(medium.MountTmpfs());
        EXPECT_NE(DriveFreeBytes(stick + "/sub"), -1);
        ASSERT_TRUE(medium.Unmount());
    }
    // Without a watch, nothing is remembered.
    EXPECT_NE(DriveFreeBytes(stick), -1);
}

TEST(VolumeWatch, ForgetsWithTheLastWatchAndKeepsEachWatchsOwnMemory) {
    test::FakeDriveTree tree;
    std::string first = tree.Mount("first", "0:40", "tmpfs", "tmpfs");
    std::string second = tree.Mount("second", "0:41", "tmpfs", "tmpfs");
    VolumeWatch outer;
    outer.Remember(first);
    {
        VolumeWatch inner;
        inner.Remember(second + "/deep/below");
        tree.Unmount(first);
        tree.Unmount(second);
        EXPECT_EQ(DriveFreeBytes(first), -1);
        EXPECT_EQ(DriveFreeBytes(second + "/x"), -1);
    }
    EXPECT_EQ(DriveFreeBytes(first), -1);
    EXPECT_NE(DriveFreeBytes(second + "/x"), -1);
}

TEST(VolumeWatch, RemembersNothingForPathsThatNameNoDrive) {
    test::FakeDriveTree tree;
    std::string stick = tree.Mount("stick", "0:40", "tmpfs", "tmpfs");
    VolumeWatch watch;
    watch.Remember("");
    watch.Remember("stick");
    tree.Unmount(stick);
    EXPECT_NE(DriveFreeBytes(stick), -1);
}

} // namespace
} // namespace arbolink
