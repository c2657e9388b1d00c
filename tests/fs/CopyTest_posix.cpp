#include "fs/Copy.h"

#include "support/PatternBytes.h"
#include "support/TempFolder.h"
#include "support/TmpfsDisk_posix.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::PatternBytes;
using test::TempFolder;

constexpr std::size_t kMiB = std::size_t{1} << 20;

// Names in the folder other than the expected ones: leftovers of a copy.
std::vector<std::string> EntriesOf(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : stdfs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool Always() {
    return true;
}

TEST(CopyOneFile, CopiesEveryByteAcrossChunks) {
    TempFolder folder;
    const std::string contents = PatternBytes(17 * kMiB + 123);
    folder.WriteFile("in/big.bin", contents);
    folder.MakeFolder("out");
    int calls = 0;
    CopyResult result = CopyOneFile(folder / "in/big.bin", folder / "out/big.bin", [&] {
        ++calls;
        return true;
    });
    EXPECT_EQ(result, CopyResult::Copied);
    EXPECT_TRUE(folder.ReadFile("out/big.bin") == contents);
    // Three chunks of 8 MiB, so two pauses between them and none after the last.
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(EntriesOf(folder / "out"), std::vector<std::string>{"big.bin"});
}

TEST(CopyOneFile, CopiesEmptyAndExactChunkSizedFiles) {
    TempFolder folder;
    folder.WriteFile("empty", "");
    folder.WriteFile("chunk", PatternBytes(8 * kMiB));
    int calls = 0;
    auto count = [&] {
        ++calls;
        return true;
    };
    EXPECT_EQ(CopyOneFile(folder / "empty", folder / "empty.copy", count), CopyResult::Copied);
    EXPECT_EQ(CopyOneFile(folder / "chunk", folder / "chunk.copy", count), CopyResult::Copied);
    EXPECT_EQ(folder.ReadFile("empty.copy"), "");
    EXPECT_TRUE(folder.ReadFile("chunk.copy") == folder.ReadFile("chunk"));
    EXPECT_EQ(calls, 0);
}

TEST(CopyOneFile, FallsBackToReadAndWriteBetweenFileSystems) {
    // /dev/shm is a tmpfs and the temporary folder usually is not: the kernel copy refuses to
    // cross between them, and the plain copy must take over unnoticed.
    if (!stdfs::is_directory("/dev/shm")) {
        GTEST_SKIP() << "no /dev/shm to copy across file systems";
    }
    TempFolder folder;
    const std::string contents = PatternBytes(9 * kMiB + 7);
    folder.WriteFile("src.bin", contents);
    std::string target = "/dev/shm/arbolink-copy-test-" + std::to_string(getpid());
    EXPECT_EQ(CopyOneFile(folder / "src.bin", target, Always), CopyResult::Copied);
    std::string copy;
    {
        std::ifstream in(target, std::ios::binary);
        copy.assign(std::istreambuf_iterator<char>(in), {});
    }
    stdfs::remove(target);
    EXPECT_TRUE(copy == contents);
}

TEST(CopyOneFile, ReplacesAnExistingTargetAndKeepsTimeAndPermissions) {
    TempFolder folder;
    folder.WriteFile("new.txt", "new contents");
    folder.WriteFile("old.txt", "older and longer contents");
    ASSERT_EQ(chmod((folder / "new.txt").c_str(), 0640), 0);
    const struct timespec times[2] = {{1000000000, 0}, {1234567890, 500000000}};
    ASSERT_EQ(utimensat(AT_FDCWD, (folder / "new.txt").c_str(), times, 0), 0);

    EXPECT_EQ(CopyOneFile(folder / "new.txt", folder / "old.txt", Always), CopyResult::Copied);
    EXPECT_EQ(folder.ReadFile("old.txt"), "new contents");
    struct stat info {};
    ASSERT_EQ(stat((folder / "old.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(info.st_mtim.tv_sec, 1234567890);
    EXPECT_EQ(info.st_mtim.tv_nsec, 500000000);
}

TEST(CopyOneFile, LeavesASourceOfAnotherSizeThanExpectedAlone) {
    TempFolder folder;
    folder.WriteFile("grown.txt", "grown since it was counted");
    folder.WriteFile("target.txt", "kept");
    int error = 0;
    EXPECT_EQ(CopyOneFile(folder / "grown.txt", folder / "target.txt", Always, error, 5),
              CopyResult::SizeChanged);
    EXPECT_EQ(folder.ReadFile("target.txt"), "kept");
    EXPECT_EQ(EntriesOf(folder.path()), (std::vector<std::string>{"grown.txt", "target.txt"}));
    EXPECT_EQ(CopyOneFile(folder / "grown.txt", folder / "target.txt", Always, error, 26),
              CopyResult::Copied);
    EXPECT_EQ(folder.ReadFile("target.txt"), "grown since it was counted");
}

TEST(CopyOneFile, CancelBetweenChunksLeavesNothingBehind) {
    TempFolder folder;
    folder.WriteFile("big.bin", PatternBytes(20 * kMiB));
    folder.MakeFolder("out");
    int calls = 0;
    CopyResult result = CopyOneFile(folder / "big.bin", folder / "out/big.bin", [&] {
        ++calls;
        return false;
    });
    EXPECT_EQ(result, CopyResult::Cancelled);
    EXPECT_EQ(calls, 1); // abandoned at the first pause
    EXPECT_TRUE(EntriesOf(folder / "out").empty());
}

TEST(CopyOneFile, CancelKeepsTheFileItWouldHaveReplaced) {
    TempFolder folder;
    folder.WriteFile("big.bin", PatternBytes(10 * kMiB));
    folder.WriteFile("out/big.bin", "the earlier copy");
    EXPECT_EQ(CopyOneFile(folder / "big.bin", folder / "out/big.bin", [] { return false; }),
              CopyResult::Cancelled);
    EXPECT_EQ(folder.ReadFile("out/big.bin"), "the earlier copy");
    EXPECT_EQ(EntriesOf(folder / "out"), std::vector<std::string>{"big.bin"});
}

TEST(CopyOneFile, RefusesWhatIsNotARegularFile) {
    TempFolder folder;
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0666), 0);
    folder.MakeFolder("dir");
    // A FIFO nobody writes to would block an open for reading for ever.
    EXPECT_EQ(CopyOneFile(folder / "fifo", folder / "fifo.copy", Always), CopyResult::Failed);
    EXPECT_EQ(CopyOneFile("/dev/zero", folder / "zero.copy", Always), CopyResult::Failed);
    EXPECT_EQ(CopyOneFile(folder / "dir", folder / "dir.copy", Always), CopyResult::Failed);
    int error = 0;
    EXPECT_EQ(CopyOneFile(folder / "missing", folder / "missing.copy", Always, error),
              CopyResult::Failed);
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(CopyOneFile(folder / "fifo", folder / "fifo.copy", Always, error),
              CopyResult::Failed);
    EXPECT_EQ(error, EINVAL);
    EXPECT_EQ(EntriesOf(folder.path()), (std::vector<std::string>{"dir", "fifo"}));
}

TEST(CopyOneFile, FollowsALinkToARegularFile) {
    TempFolder folder;
    folder.WriteFile("real.txt", "linked");
    stdfs::create_symlink(folder / "real.txt", folder / "link.txt");
    EXPECT_EQ(CopyOneFile(folder / "link.txt", folder / "copy.txt", Always), CopyResult::Copied);
    EXPECT_EQ(folder.ReadFile("copy.txt"), "linked");
    EXPECT_FALSE(stdfs::is_symlink(folder / "copy.txt"));
}

TEST(CopyOneFile, FailsIntoAMissingFolderOrOntoAFolder) {
    TempFolder folder;
    folder.WriteFile("a.txt", "a");
    folder.MakeFolder("taken");
    EXPECT_EQ(CopyOneFile(folder / "a.txt", folder / "nowhere/a.txt", Always), CopyResult::Failed);
    EXPECT_EQ(CopyOneFile(folder / "a.txt", folder / "taken", Always), CopyResult::Failed);
    EXPECT_TRUE(stdfs::is_directory(folder / "taken"));
    EXPECT_EQ(EntriesOf(folder.path()), (std::vector<std::string>{"a.txt", "taken"}));
}

TEST(CopyOneFile, AFullDiskFailsAndRemovesThePartialCopy) {
    TempFolder folder;
    folder.MakeFolder("disk");
    test::TmpfsDisk disk(folder / "disk", 1024);
    if (!disk.Insert()) {
        GTEST_SKIP() << disk.error();
    }
    folder.WriteFile("big.bin", PatternBytes(3 * kMiB));
    folder.WriteFile("small.txt", "fits");
    int error = 0;
    EXPECT_EQ(CopyOneFile(folder / "big.bin", folder / "disk/big.bin", Always, error),
              CopyResult::Failed);
    EXPECT_EQ(error, ENOSPC);
    EXPECT_TRUE(EntriesOf(folder / "disk").empty());
    // The room the failed copy took is free again.
    EXPECT_EQ(CopyOneFile(folder / "small.txt", folder / "disk/small.txt", Always),
              CopyResult::Copied);
}

} // namespace
} // namespace arbolink
