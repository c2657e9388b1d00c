// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Copy.h"

#include "fs/CopyCalls_posix.h"
#include "fs/Folders.h"
#include "support/PatternBytes.h"
#include "support/TempFolder.h"
#include "support/TmpfsDisk_posix.h"
#include "support/TreeSnapshot_posix.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
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

// Lets every copy go on, whether or not it is told the bytes.
constexpr auto Always = [](auto...) { return true; };

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

// The largest file in the folder: what a copy in progress has written so far.
std::int64_t LargestFileIn(const std::string& folder) {
    std::int64_t largest = 0;
    for (const auto& entry : stdfs::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            largest = std::max<std::int64_t>(largest, static_cast<std::int64_t>(entry.file_size()));
        }
    }
    return largest;
}

// Also when hashed: the hashing copy finds the end with the last read, one byte further than
// the planned size (never written), rather than with a read of its own.
TEST(CopyOneFile, ASourceThatGrowsOrShrinksWhileCopiedIsCutAtItsSizeAndLeftOut) {
    TempFolder folder;
    for (const bool hashed : {false, true}) {
        SCOPED_TRACE(hashed);
        Sha256Digest digest{};
        const ContentCheck check = hashed ? ContentCheck{&digest, nullptr} : ContentCheck{};
        const std::int64_t planned = 20 * kMiB + 100;
        folder.WriteFile("grows.bin", PatternBytes(planned));
        folder.WriteFile("out/grows.bin", "the earlier copy");
        std::int64_t largest = 0;
        std::vector<std::int64_t> told;
        // Another program appends 8 MiB to the file at every pause of the copy.
        auto grow = [&](std::int64_t copied) {
            told.push_back(copied);
            largest = std::max(largest, LargestFileIn(folder / "out"));
            std::ofstream(folder / "grows.bin", std::ios::binary | std::ios::app)
                << PatternBytes(8 * kMiB);
            return true;
        };
        CopyOutcome outcome = CopyFileTo(folder / "grows.bin", folder / "out/grows.bin", grow,
                                         planned, SourceLinks::Follow, check);
        EXPECT_EQ(outcome.result, CopyResult::SizeChanged);
        // Three chunks of the planned size and no more, however far the file grew; each pause
        // is told the bytes copied so far.
        EXPECT_EQ(told, (std::vector<std::int64_t>{8 * kMiB, 16 * kMiB}));
        EXPECT_LE(largest, planned);
        EXPECT_EQ(folder.ReadFile("out/grows.bin"), "the earlier copy");
        EXPECT_EQ(EntriesOf(folder / "out"), std::vector<std::string>{"grows.bin"});
    }

    folder.WriteFile("shrinks.bin", PatternBytes(20 * kMiB));
    auto shrink = [&](std::int64_t) {
        return truncate((folder / "shrinks.bin").c_str(), 9 * kMiB) == 0;
    };
    const CopyOutcome outcome = CopyFileTo(folder / "shrinks.bin", folder / "out/shrinks.bin",
                                           shrink, -1, SourceLinks::Follow);
    EXPECT_EQ(outcome.result, CopyResult::SizeChanged);
    EXPECT_EQ(EntriesOf(folder / "out"), std::vector<std::string>{"grows.bin"});
}

// Puts failing system calls in for one test.
class FailingCalls {
public:
    FailingCalls() : saved_(ActiveCopyCalls()) {}
    ~FailingCalls() { ActiveCopyCalls() = saved_; }
    FailingCalls(const FailingCalls&) = delete;
    FailingCalls& operator=(const FailingCalls&) = delete;

private:
    CopyCalls saved_;
};

ssize_t FailWithIo(int, void*, std::size_t) {
    errno = EIO;
    return -1;
}
ssize_t FailWriteWithIo(int, const void*, std::size_t) {
    errno = EIO;
    return -1;
}
ssize_t KernelFailsWithIo(int, int, std::size_t) {
    errno = EIO;
    return -1;
}

TEST(CopyOneFile, TellsAFailedReadOfTheSourceFromAFailedWriteOfTheTarget) {
    TempFolder folder;
    folder.WriteFile("in.bin", PatternBytes(3 * kMiB));
    folder.MakeFolder("out");
    {
        // The kernel's copy fails without saying which side: the plain copy finds out.
        FailingCalls failing;
        ActiveCopyCalls().copyRange = KernelFailsWithIo;
        ActiveCopyCalls().read = FailWithIo;
        CopyOutcome outcome =
            CopyFileTo(folder / "in.bin", folder / "out/in.bin", Always, -1, SourceLinks::Follow);
        EXPECT_EQ(outcome.result, CopyResult::Failed);
        EXPECT_EQ(outcome.side, CopySide::Source);
        EXPECT_EQ(outcome.error, EIO);
    }
    {
        FailingCalls failing;
        ActiveCopyCalls().copyRange = KernelFailsWithIo;
        ActiveCopyCalls().write = FailWriteWithIo;
        CopyOutcome outcome =
            CopyFileTo(folder / "in.bin", folder / "out/in.bin", Always, -1, SourceLinks::Follow);
        EXPECT_EQ(outcome.result, CopyResult::Failed);
        EXPECT_EQ(outcome.side, CopySide::Target);
        EXPECT_EQ(outcome.error, EIO);
    }
    EXPECT_TRUE(EntriesOf(folder / "out").empty());
    // A missing source is the source's failure; a missing target folder the target's.
    CopyOutcome missing =
        CopyFileTo(folder / "gone.bin", folder / "out/gone.bin", Always, -1, SourceLinks::Follow);
    EXPECT_EQ(missing.side, CopySide::Source);
    EXPECT_EQ(missing.error, ENOENT);
    CopyOutcome nowhere =
        CopyFileTo(folder / "in.bin", folder / "none/in.bin", Always, -1, SourceLinks::Follow);
    EXPECT_EQ(nowhere.side, CopySide::Target);
    EXPECT_EQ(nowhere.error, ENOENT);
    // With the system's calls back the same copy goes through.
    EXPECT_EQ(CopyFileTo(folder / "in.bin", folder / "out/in.bin", Always, -1, SourceLinks::Follow)
                  .result,
              CopyResult::Copied);
}

TEST(CopyOneFile, ADiskPulledDuringTheCopyIsTheTargetsFailure) {
    TempFolder folder;
    folder.MakeFolder("disk");
    test::TmpfsDisk disk(folder / "disk", 64 * 1024);
    if (!disk.Insert()) {
        GTEST_SKIP() << disk.error();
    }
    folder.WriteFile("big.bin", PatternBytes(20 * kMiB));
    CopyOutcome outcome = CopyFileTo(
        folder / "big.bin", folder / "disk/big.bin",
        [&](std::int64_t) {
            disk.Eject();
            return true;
        },
        20 * kMiB, SourceLinks::Follow);
    EXPECT_EQ(outcome.result, CopyResult::Failed);
    EXPECT_EQ(outcome.side, CopySide::Target);
    // Nothing reached the folder the disk was mounted on.
    EXPECT_TRUE(EntriesOf(folder / "disk").empty());
}

TEST(CopyOneFile, ASourceThatIsALinkOrNoRegularFileIsNeverOpenedWhenLinksAreRefused) {
    TempFolder folder;
    folder.WriteFile("outside/secret.txt", "not part of any set");
    stdfs::create_symlink(folder / "outside/secret.txt", folder / "link");
    stdfs::create_symlink(folder / "outside", folder / "folder-link");
    stdfs::create_symlink("/dev/zero", folder / "device-link");
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0666), 0);
    folder.MakeFolder("folder");
    folder.MakeFolder("out");
    // A FIFO nobody writes to would block an open for reading for ever.
    for (const char* name : {"link", "folder-link", "device-link", "fifo", "folder"}) {
        CopyOutcome outcome =
            CopyFileTo(folder / name, folder / "out/copy", Always, -1, SourceLinks::Refuse);
        EXPECT_EQ(outcome.result, CopyResult::Failed) << name;
        EXPECT_EQ(outcome.side, CopySide::Source) << name;
        EXPECT_EQ(outcome.error, EINVAL) << name;
    }
    CopyOutcome device =
        CopyFileBelow("/dev/zero", folder / "out", "copy", Always, SourceLinks::Refuse, {});
    EXPECT_EQ(device.error, EINVAL);
    EXPECT_TRUE(EntriesOf(folder / "out").empty());
}

TEST(CopyFileBelow, NeverWritesThroughALinkOrAFileInTheWayAtAnyDepth) {
    TempFolder folder;
    folder.WriteFile("canary/keep.txt", "outside");
    folder.WriteFile("canary/deep/name.txt", "outside too");
    folder.WriteFile("src.txt", "restored");
    folder.WriteFile("root/a/b/file", "a file, not a folder");
    stdfs::create_symlink(folder / "canary", folder / "root/x");
    stdfs::create_symlink(folder / "canary", folder / "root/a/y");
    stdfs::create_symlink(folder / "canary", folder / "root/a/b/z");
    stdfs::create_symlink(folder / "canary/deep/name.txt", folder / "root/a/b/name.txt");
    const test::TreeSnapshot canary = test::SnapshotOf(folder / "canary");
    const std::string root = folder / "root/";

    struct Blocked {
        std::string relative;
        std::string blockedAt;
        int error;
    };
    for (const Blocked& blocked : std::vector<Blocked>{
             {"x/keep.txt", root + "x", ELOOP},
             {"a/y/deep/name.txt", root + "a/y", ELOOP},
             {"a/b/z/new.txt", root + "a/b/z", ELOOP},
             {"a/b/file/new.txt", root + "a/b/file", ENOTDIR},
         }) {
        CopyOutcome outcome = CopyFileBelow(folder / "src.txt", root, blocked.relative, Always,
                                            SourceLinks::Refuse, {});
        EXPECT_EQ(outcome.result, CopyResult::Failed) << blocked.relative;
        EXPECT_EQ(outcome.side, CopySide::Target) << blocked.relative;
        EXPECT_EQ(outcome.error, blocked.error) << blocked.relative;
        EXPECT_EQ(outcome.blockedAt, blocked.blockedAt) << blocked.relative;
    }
    // A link at the file's own name is left alone unless it may be replaced, and then it is
    // replaced by the file, never written through.
    CopyOutcome beside =
        CopyFileBelow(folder / "src.txt", root, "a/b/name.txt", Always, SourceLinks::Refuse, {});
    EXPECT_EQ(beside.result, CopyResult::Copied);
    EXPECT_EQ(beside.takenName, "name (2).txt");
    EXPECT_TRUE(stdfs::is_symlink(folder / "root/a/b/name.txt"));
    EXPECT_EQ(folder.ReadFile("root/a/b/name (2).txt"), "restored");
    EXPECT_EQ(CopyFileBelow(folder / "src.txt", root, "a/b/name.txt", Always, SourceLinks::Refuse,
                            [](const FileIdentity&) { return true; })
                  .result,
              CopyResult::Copied);
    EXPECT_FALSE(stdfs::is_symlink(folder / "root/a/b/name.txt"));
    EXPECT_EQ(folder.ReadFile("root/a/b/name.txt"), "restored");

    // Creating folders stops at the same links and creates nothing through them.
    FolderWalkStop stop;
    EXPECT_FALSE(CreateFoldersBelow(root, "a/y/new/", stop));
    EXPECT_EQ(stop.path, root + "a/y");
    EXPECT_EQ(stop.error, ELOOP);
    EXPECT_FALSE(CreateFoldersBelow(root, "a/b/file/new/", stop));
    EXPECT_EQ(stop.error, ENOTDIR);
    EXPECT_TRUE(CreateFoldersBelow(root, "a/new/newer/", stop));
    EXPECT_TRUE(stdfs::is_directory(folder / "root/a/new/newer"));

    EXPECT_EQ(test::Differences(canary, test::SnapshotOf(folder / "canary")),
              std::vector<std::string>{});
}

int NoRenameFlag(int, const char*, const char*) {
    errno = EINVAL;
    return -1;
}
int NoHardLinks(int, const char*, const char*) {
    errno = EPERM;
    return -1;
}

int NoUnnamedFiles(int, const char*) {
    errno = EOPNOTSUPP;
    return -1;
}

// However the file system lets a name be taken without replacing (linking an unnamed file,
// the flag of renameat2, a hard link, neither), a copy below a folder never replaces a file
// there unless the check allows it for that very file, and then replaces it; no temporary file
// is left.
TEST(CopyFileBelow, CreatesItsFileAsNewOnEveryKindOfFileSystem) {
    for (int kind = 0; kind < 4; ++kind) {
        SCOPED_TRACE(kind);
        TempFolder folder;
        folder.WriteFile("src.txt", "restored");
        folder.WriteFile("root/report.txt", "there before");
        folder.WriteFile("root/report (2).txt", "there before too");
        FailingCalls calls;
        if (kind >= 1) {
            ActiveCopyCalls().openUnnamed = NoUnnamedFiles;
        }
        if (kind >= 2) {
            ActiveCopyCalls().renameNoReplace = NoRenameFlag;
        }
        if (kind == 3) {
            ActiveCopyCalls().link = NoHardLinks;
        }
        const std::string root = folder / "root/";
        // A check, for the copy's identity to be told.
        CopyOutcome fresh =
            CopyFileBelow(folder / "src.txt", root, "new.txt", Always, SourceLinks::Refuse,
                          [](const FileIdentity&) { return false; });
        EXPECT_EQ(fresh.result, CopyResult::Copied);
        EXPECT_EQ(fresh.takenName, "new.txt");
        struct stat info {};
        ASSERT_EQ(lstat((folder / "root/new.txt").c_str(), &info), 0);
        EXPECT_EQ(fresh.identity, (FileIdentity{info.st_dev, info.st_ino}));

        ASSERT_EQ(lstat((folder / "root/report.txt").c_str(), &info), 0);
        const FileIdentity earlier{info.st_dev, info.st_ino};
        std::vector<FileIdentity> asked;
        CopyOutcome refused = CopyFileBelow(folder / "src.txt", root, "report.txt", Always,
                                            SourceLinks::Refuse, [&](const FileIdentity& there) {
                                                asked.push_back(there);
                                                return false;
                                            });
        EXPECT_EQ(refused.result, CopyResult::Copied);
        EXPECT_EQ(refused.takenName, "report (3).txt");
        EXPECT_EQ(asked, std::vector<FileIdentity>{earlier});
        EXPECT_EQ(folder.ReadFile("root/report.txt"), "there before");
        EXPECT_EQ(folder.ReadFile("root/report (2).txt"), "there before too");
        EXPECT_EQ(folder.ReadFile("root/report (3).txt"), "restored");

        CopyOutcome allowed =
            CopyFileBelow(folder / "src.txt", root, "report.txt", Always, SourceLinks::Refuse,
                          [&](const FileIdentity& there) { return there == earlier; });
        EXPECT_EQ(allowed.takenName, "report.txt");
        EXPECT_EQ(folder.ReadFile("root/report.txt"), "restored");
        EXPECT_EQ(EntriesOf(folder / "root"),
                  (std::vector<std::string>{"new.txt", "report (2).txt", "report (3).txt",
                                            "report.txt"}));
    }
}

// True when the folder's file system makes unnamed files (O_TMPFILE).
bool MakesUnnamedFiles(const std::string& folder) {
    const int fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    close(fd);
    return true;
}

// A copy killed half way (no destructor runs, as after a crash) never leaves anything under
// the target's name: with unnamed files it leaves nothing at all, without them (FAT, NFS) a
// file of a temporary name that the clean-up removes.
TEST(CopyOneFile, AKilledCopyLeavesNothingButATemporaryNameThatTheCleanUpRemoves) {
    for (const bool unnamed : {true, false}) {
        SCOPED_TRACE(unnamed);
        TempFolder folder;
        folder.WriteFile("big.bin", PatternBytes(20 * kMiB));
        folder.MakeFolder("out");
        // A folder named like a temporary file: never removed.
        const std::string namedLikeOne = TemporaryName();
        folder.MakeFolder("out/" + namedLikeOne);
        FailingCalls calls;
        if (!unnamed) {
            ActiveCopyCalls().openUnnamed = NoUnnamedFiles;
        }
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            CopyOneFile(folder / "big.bin", folder / "out/big.bin", [] {
                _exit(0);
                return true;
            });
            _exit(1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        std::vector<std::string> left = EntriesOf(folder / "out");
        std::erase(left, namedLikeOne);
        if (unnamed && MakesUnnamedFiles(folder / "out")) {
            EXPECT_EQ(left, std::vector<std::string>{});
            continue;
        }
        ASSERT_EQ(left.size(), 1u);
        EXPECT_TRUE(IsTemporaryName(left[0])) << left[0];

        // Names like it that a user could have given are kept.
        folder.WriteFile("out/.arbolink-copy-notes.txt", "mine");
        folder.WriteFile("out/.arbolink-copy-AB", "mine");
        EXPECT_TRUE(RemoveTemporaryFiles(folder / "out"));
        std::vector<std::string> kept = {namedLikeOne, ".arbolink-copy-AB",
                                         ".arbolink-copy-notes.txt"};
        std::sort(kept.begin(), kept.end());
        EXPECT_EQ(EntriesOf(folder / "out"), kept);
        EXPECT_EQ(folder.ReadFile("out/.arbolink-copy-notes.txt"), "mine");
    }
}

} // namespace
} // namespace arbolink
