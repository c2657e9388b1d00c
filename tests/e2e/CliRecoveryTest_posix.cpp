// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery disks end to end: a staged divide with two of them, every disk rebuilt from the
// others byte for byte, and what a rebuild refuses.
#include "CliRun.h"
#include "core/SetFormat.h"
#include "core/recovery/RecoveryMessages.h"
#include "core/wFile/WriteMessages.h"
#include "support/ScopedVariable_posix.h"
#include "support/TempFolder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::CliResult;
using test::Contents;
using test::RunCliWith;
using test::ScopedVariable;
using test::TempFolder;
using test::TreeOf;

constexpr int kRecoveryDisks = 2;
constexpr std::int64_t kCluster = 512;
constexpr std::int64_t kCapacity = 60'000;

// Files of sizes that end inside a stripe and a cluster, empty ones among them, in folders.
void WriteSource(const TempFolder& root) {
    for (unsigned i = 1; i <= 9; ++i) {
        root.WriteFile("src/d" + std::to_string(i % 3) + "/f" + std::to_string(i) + ".bin",
                       Contents(3'001 * i + 17, i));
    }
    root.WriteFile("src/empty", "");
    root.WriteFile("src/d1/写真.jpg", Contents(20'000, 99));
}

std::string Disk(const TempFolder& root, int n) {
    char name[16];
    std::snprintf(name, sizeof name, "disk%02d", n);
    return root / ("stage/" + std::string(name));
}

int DataDiskCount(const TempFolder& root) {
    int count = 0;
    while (stdfs::exists(Disk(root, count + 1) + "/@dummy@/" + kIdentityFileName)) {
        ++count;
    }
    return count;
}

// Bytes a folder takes on a disk of kCluster clusters.
std::int64_t ClustersTaken(const std::string& folder) {
    std::int64_t clusters = 0;
    for (const auto& entry : stdfs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            clusters += (static_cast<std::int64_t>(entry.file_size()) + kCluster - 1) / kCluster;
        }
    }
    return clusters;
}

CliResult Rebuild(const TempFolder& root, int disk, const std::vector<int>& from,
                  const std::string& out) {
    std::vector<std::string> args{"rebuild"};
    for (int n : from) {
        args.insert(args.end(), {"--from", Disk(root, n)});
    }
    args.insert(args.end(), {"--disk", std::to_string(disk), out});
    return RunCliWith(args);
}

class CliRecoveryTest : public ::testing::Test {
protected:
    CliRecoveryTest() : cache_("XDG_CACHE_HOME", (root / "cache").c_str()) {
        WriteSource(root);
        CliResult divide =
            RunCliWith({"divide", root / "src", "--disk-folders", root / "stage", "--capacity",
                        std::to_string(kCapacity), "--cluster-size", std::to_string(kCluster),
                        "--recovery-disks", std::to_string(kRecoveryDisks), "--yes"});
        EXPECT_EQ(divide.code, 0) << divide.err;
        EXPECT_NE(divide.err.find(msg::kPrepareRecoveryDisks), std::string::npos) << divide.err;
        EXPECT_NE(divide.err.find(msg::kCopyFinished), std::string::npos) << divide.err;
        dataDisks = DataDiskCount(root);
    }

    TempFolder root;
    ScopedVariable cache_;
    int dataDisks = 0;
};

TEST_F(CliRecoveryTest, EveryDiskIsRebuiltByteForByteWithTwoDisksWithheld) {
    ASSERT_GE(dataDisks, 3);
    const int disks = dataDisks + kRecoveryDisks;
    // The parity's working files are gone; the recovery disks are no data disks to a reader,
    // and stay within a disk's capacity.
    EXPECT_TRUE(stdfs::is_empty(root / "cache/arbolink"));
    for (int j = 1; j <= kRecoveryDisks; ++j) {
        const std::string folder = Disk(root, dataDisks + j) + "/@dummy@/";
        EXPECT_FALSE(stdfs::exists(folder + kIdentityFileName));
        EXPECT_TRUE(stdfs::exists(folder + kRecoveryHeaderName));
        EXPECT_LE(ClustersTaken(Disk(root, dataDisks + j)), kCapacity / kCluster);
    }
    EXPECT_FALSE(stdfs::exists(Disk(root, disks + 1)));

    for (int disk = 1; disk <= disks; ++disk) {
        // The disk and the one after it are lost; a recovery disk is rebuilt from a header
        // on the other, so the second one lost then is the first.
        const int alsoLost = disk == dataDisks + 1 ? 1 : disk % disks + 1;
        std::vector<int> from;
        for (int n = disks; n >= 1; --n) {
            if (n != disk && n != alsoLost) {
                from.push_back(n);
            }
        }
        const std::string out = root / ("rebuilt" + std::to_string(disk));
        CliResult rebuild = Rebuild(root, disk, from, out);
        ASSERT_EQ(rebuild.code, 0) << "disk " << disk << ": " << rebuild.err;
        EXPECT_EQ(TreeOf(out), TreeOf(Disk(root, disk))) << "disk " << disk;
    }

    // Today's restore, given the recovery disks among the data disks, passes them over.
    std::vector<std::string> restore{"restore"};
    for (int n = disks; n >= 1; --n) {
        restore.insert(restore.end(), {"--from", Disk(root, n)});
    }
    root.MakeFolder("restored");
    restore.push_back(root / "restored");
    CliResult restored = RunCliWith(restore);
    ASSERT_EQ(restored.code, 0) << restored.err;
    EXPECT_EQ(TreeOf(root / "restored"), TreeOf(root / "src"));
}

// A restore from the folders, with two data disks withheld, rebuilds them from the recovery
// disks and gives back the whole tree; with three lost, it names the disks it cannot rebuild
// and the files on them.
TEST_F(CliRecoveryTest, RestoreRebuildsTheDataDisksNotGiven) {
    ASSERT_GE(dataDisks, 3);
    const int disks = dataDisks + kRecoveryDisks;
    auto restore = [&](int firstGiven, const std::string& out) {
        std::vector<std::string> args{"restore"};
        for (int n = disks; n >= firstGiven; --n) {
            args.insert(args.end(), {"--from", Disk(root, n)});
        }
        root.MakeFolder(out);
        args.push_back(root / out);
        return RunCliWith(args);
    };
    CliResult two = restore(3, "two");
    ASSERT_EQ(two.code, 0) << two.err;
    EXPECT_EQ(TreeOf(root / "two"), TreeOf(root / "src"));
    EXPECT_TRUE(stdfs::is_empty(root / "cache/arbolink")); // the rebuilt disks are gone

    CliResult three = restore(4, "three");
    EXPECT_EQ(three.code, 1);
    for (int disk = 1; disk <= 3; ++disk) {
        char expected[256];
        std::snprintf(expected, sizeof expected, msg::kNotRebuiltForRestore, disk, "");
        EXPECT_NE(three.err.find(expected), std::string::npos) << three.err;
    }
    for (const auto& [path, contents] : TreeOf(root / "src")) {
        if (contents != "<folder>" && !stdfs::exists(root / ("three/" + path))) {
            EXPECT_NE(three.err.find(stdfs::path(path).filename().string()), std::string::npos)
                << path << " is not named: " << three.err;
        }
    }
}

// verify tells which disks are lost and whether they can be rebuilt, with what.
TEST_F(CliRecoveryTest, VerifyTellsWhetherTheSetCanBeRebuilt) {
    ASSERT_GE(dataDisks, 3);
    const int disks = dataDisks + kRecoveryDisks;
    auto verify = [&](const std::vector<int>& given) {
        std::vector<std::string> args{"verify"};
        for (int n : given) {
            args.insert(args.end(), {"--from", Disk(root, n)});
        }
        return RunCliWith(args);
    };
    std::vector<int> given;
    for (int n = 3; n <= disks; ++n) {
        given.push_back(n);
    }
    CliResult two = verify(given);
    EXPECT_EQ(two.code, 1); // files are missing from the set all the same
    EXPECT_NE(two.out.find("lost\t1\nlost\t2\nrebuild-with\t1, 2\nrebuildable\tyes\n"),
              std::string::npos)
        << two.out;
    EXPECT_NE(two.err.find("ディスク 1, 2 は"), std::string::npos) << two.err;
    // The recovery disks are no disks of the set to read: nothing warns about them.
    EXPECT_EQ(two.err.find(Disk(root, disks)), std::string::npos) << two.err;

    given.erase(given.begin());
    CliResult three = verify(given);
    EXPECT_NE(three.out.find("lost\t3\nrebuild-with\t1, 2\nrebuildable\tno\n"), std::string::npos)
        << three.out;
}

TEST_F(CliRecoveryTest, TooFewDisksOrADamagedOneRebuildNothingFalse) {
    ASSERT_GE(dataDisks, 3);
    const int disks = dataDisks + kRecoveryDisks;
    // Three disks lost of a set with two recovery disks.
    std::vector<int> from;
    for (int n = 4; n <= disks; ++n) {
        from.push_back(n);
    }
    CliResult tooFew = Rebuild(root, 1, from, root / "few");
    EXPECT_EQ(tooFew.code, 1);
    char expected[512];
    std::snprintf(expected, sizeof expected, msg::kTooFewDisks, dataDisks, dataDisks - 1);
    EXPECT_NE(tooFew.err.find(expected), std::string::npos) << tooFew.err;

    // A flipped byte in a file of a disk the rebuild reads: the rebuilt file does not match
    // the map and is not kept under its name; what is kept is the disk's own.
    std::string victim;
    for (const auto& entry : stdfs::directory_iterator(Disk(root, 2) + "/@dummy@")) {
        if (entry.path().filename().string().front() != '_' && entry.file_size() > 0) {
            victim = entry.path().string();
        }
    }
    ASSERT_FALSE(victim.empty());
    {
        std::fstream file(victim, std::ios::in | std::ios::out | std::ios::binary);
        char byte = 0;
        file.read(&byte, 1);
        file.seekp(0);
        byte = static_cast<char>(byte ^ 0x40);
        file.write(&byte, 1);
    }
    from.clear();
    for (int n = 2; n <= disks; ++n) {
        from.push_back(n);
    }
    CliResult damaged = Rebuild(root, 1, from, root / "damaged");
    EXPECT_EQ(damaged.code, 1);
    const std::string mismatch = msg::kRebuiltMismatch;
    EXPECT_NE(damaged.err.find(mismatch.substr(mismatch.find("%s") + 2)), std::string::npos)
        << damaged.err;
    std::map<std::string, std::string> original = TreeOf(Disk(root, 1));
    for (const auto& [path, contents] : TreeOf(root / "damaged")) {
        ASSERT_EQ(original.count(path), 1u) << path;
        EXPECT_EQ(contents, original[path]) << path;
    }
}

} // namespace
} // namespace arbolink
