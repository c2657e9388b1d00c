// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery disks end to end: a staged divide with two of them, every disk rebuilt from the
// others byte for byte, and what a rebuild refuses.
#include "CliRun.h"
#include "core/Formatted.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/rFile/RestoreMessages.h"
#include "core/recovery/RecoveryMessages.h"
#include "core/wFile/WriteMessages.h"
#include "support/PhraseLead.h"
#include "support/ScopedVariable_posix.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <string>
#include <sys/stat.h>
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
        dataDisks = DataDiskCount(root);
        EXPECT_NE(
            divide.err.find(Formatted(msg::kPrepareDisksWithRecovery, dataDisks, kRecoveryDisks)),
            std::string::npos)
            << divide.err;
        EXPECT_NE(divide.err.find(msg::kCopyFinished), std::string::npos) << divide.err;
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

// A restore from the folders, with two data disks withheld, makes their files again from the
// recovery disks and gives back the whole tree; with three lost, it names every file it could
// not make again.
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
    EXPECT_NE(three.err.find(test::Lead(msg::kNotRebuiltFiles)), std::string::npos) << three.err;
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
    const std::string expected = Formatted(msg::kTooFewDisks, dataDisks, dataDisks - 1);
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
    EXPECT_NE(damaged.err.find(mismatch.substr(mismatch.find("%1") + 2)), std::string::npos)
        << damaged.err;
    std::map<std::string, std::string> original = TreeOf(Disk(root, 1));
    for (const auto& [path, contents] : TreeOf(root / "damaged")) {
        ASSERT_EQ(original.count(path), 1u) << path;
        EXPECT_EQ(contents, original[path]) << path;
    }
}

// Every subset of the disks (data and recovery) of the given size, in a fixed order.
std::vector<std::vector<int>> Subsets(int disks, int size) {
    std::vector<std::vector<int>> subsets;
    std::vector<int> chosen;
    auto choose = [&](auto&& self, int from) -> void {
        if (static_cast<int>(chosen.size()) == size) {
            subsets.push_back(chosen);
            return;
        }
        for (int n = from; n <= disks; ++n) {
            chosen.push_back(n);
            self(self, n + 1);
            chosen.pop_back();
        }
    };
    choose(choose, 1);
    return subsets;
}

// Every file's modification time and mode below the folder, by path.
std::map<std::string, std::pair<std::int64_t, unsigned>> TimesOf(const std::string& folder) {
    std::map<std::string, std::pair<std::int64_t, unsigned>> times;
    for (const auto& entry : stdfs::recursive_directory_iterator(folder)) {
        struct stat info {};
        if (entry.is_regular_file() && ::stat(entry.path().c_str(), &info) == 0) {
            times[stdfs::relative(entry.path(), folder).string()] = {
                info.st_mtim.tv_sec * 1'000'000'000 + info.st_mtim.tv_nsec, info.st_mode};
        }
    }
    return times;
}

// Generated sets of N data disks with K recovery disks: a restore from the disks left after
// losing any K of them, data or recovery (every combination for small sets, a seeded sample
// of the others), or from all of them with a file damaged on each of K data disks, gives back
// the source byte for byte with its times and modes; with K + 1 data disks lost it fails and
// names only files not restored.
TEST(CliRecoveryProperty, AnyKLostDisksOfAGeneratedSetStillRestore) {
    struct Shape {
        int recovery;
        std::int64_t capacity;
        unsigned seed;
        unsigned scale; // of the sizes
        unsigned files;
        int least; // data disks the plan must come to, at least
    };
    for (const Shape shape : {Shape{1, 60'000, 3, 1, 40, 2}, Shape{1, 56'000, 5, 3, 80, 5},
                              Shape{2, 24'000, 7, 1, 40, 3}, Shape{3, 23'000, 11, 1, 40, 3},
                              Shape{2, 150'000, 13, 6, 240, 10}}) {
        SCOPED_TRACE("K=" + std::to_string(shape.recovery) + " seed " + std::to_string(shape.seed));
        TempFolder root;
        ScopedVariable cache("XDG_CACHE_HOME", (root / "cache").c_str());
        std::mt19937 random(shape.seed);
        for (unsigned i = 0; i < shape.files; ++i) {
            // Heavy-tailed sizes, empty files among them.
            const std::size_t size =
                random() % 4 == 0 ? 0
                                  : shape.scale * (random() % (random() % 8 == 0 ? 9'000 : 900));
            root.WriteFile("src/d" + std::to_string(i % 5) + "/f" + std::to_string(i),
                           Contents(size, i + shape.seed));
            if (i % 7 == 0) {
                stdfs::permissions(root /
                                       ("src/d" + std::to_string(i % 5) + "/f" + std::to_string(i)),
                                   stdfs::perms::owner_read | stdfs::perms::owner_write);
            }
        }
        CliResult divide =
            RunCliWith({"divide", root / "src", "--disk-folders", root / "stage", "--capacity",
                        std::to_string(shape.capacity), "--cluster-size", std::to_string(kCluster),
                        "--recovery-disks", std::to_string(shape.recovery), "--yes"});
        ASSERT_EQ(divide.code, 0) << divide.err;
        const int data = DataDiskCount(root);
        ASSERT_GE(data, shape.least);
        const int disks = data + shape.recovery;
        std::vector<std::vector<int>> losses = Subsets(disks, shape.recovery);
        std::shuffle(losses.begin(), losses.end(), random);
        losses.resize(std::min<std::size_t>(losses.size(), 12));
        losses.push_back({}); // nothing lost
        int restores = 0;
        auto restoreWithout = [&](const std::vector<int>& lost) {
            std::vector<std::string> args{"restore"};
            for (int n = disks; n >= 1; --n) {
                if (std::find(lost.begin(), lost.end(), n) == lost.end()) {
                    args.insert(args.end(), {"--from", Disk(root, n)});
                }
            }
            const std::string out = root / ("out" + std::to_string(++restores));
            root.MakeFolder("out" + std::to_string(restores));
            args.push_back(out);
            return std::make_pair(RunCliWith(args), out);
        };
        for (const std::vector<int>& lost : losses) {
            const auto [result, out] = restoreWithout(lost);
            std::string named;
            for (int n : lost) {
                named += std::to_string(n) + " ";
            }
            ASSERT_EQ(result.code, 0) << "lost " << named << "of " << disks << ": " << result.err;
            EXPECT_EQ(TreeOf(out), TreeOf(root / "src")) << "lost " << named;
            EXPECT_EQ(TimesOf(out), TimesOf(root / "src")) << "lost " << named;
        }
        // One file damaged on each of K data disks, in a copy of the set.
        {
            // cp -a keeps the stored files' times, which the restored files take.
            ASSERT_EQ(
                std::system(("cp -a '" + root / "stage" + "' '" + root / "damaged" + "'").c_str()),
                0);
            int damaged = 0;
            for (int n = 1; n <= data && damaged < shape.recovery; ++n) {
                const std::string folder = Disk(root, n) + "/@dummy@";
                for (const auto& entry : stdfs::directory_iterator(folder)) {
                    const std::string name = entry.path().filename().string();
                    if (!IsSetFileName(name) && stdfs::file_size(entry.path()) > 0) {
                        const std::string copy =
                            root /
                            ("damaged/" + stdfs::relative(entry.path(), root / "stage").string());
                        std::fstream file(copy, std::ios::in | std::ios::out | std::ios::binary);
                        const char c = static_cast<char>(file.get());
                        file.seekp(0);
                        file.put(static_cast<char>(c ^ 0x5a));
                        ++damaged;
                        break;
                    }
                }
            }
            std::vector<std::string> args{"restore"};
            for (int n = 1; n <= disks; ++n) {
                args.insert(args.end(),
                            {"--from",
                             Disk(root, n).replace(Disk(root, n).find("/stage/"), 7, "/damaged/")});
            }
            root.MakeFolder("fromDamaged");
            args.push_back(root / "fromDamaged");
            const CliResult result = RunCliWith(args);
            ASSERT_EQ(result.code, 0) << result.err;
            EXPECT_EQ(TreeOf(root / "fromDamaged"), TreeOf(root / "src"));
            EXPECT_EQ(TimesOf(root / "fromDamaged"), TimesOf(root / "src"));
        }
        if (data <= shape.recovery + 1) {
            continue;
        }
        // K + 1 data disks lost, one left to read the index from: the files at places where
        // more data disks are lost than there are recovery disks are named, each on a line of
        // its own with why, and no other file is.
        {
            std::vector<int> tooMany;
            for (int n = 1; n <= shape.recovery + 1; ++n) {
                tooMany.push_back(n);
            }
            const auto [result, out] = restoreWithout(tooMany);
            EXPECT_EQ(result.code, 1) << result.err;
            int missing = 0;
            for (const auto& [path, contents] : TreeOf(root / "src")) {
                missing += contents != "<folder>" && !stdfs::exists(out + "/" + path) ? 1 : 0;
            }
            EXPECT_GT(missing, 0);
            const std::string count = Formatted(msg::kNotRebuiltFiles, missing).substr(2);
            EXPECT_NE(result.err.find(count), std::string::npos) << result.err;
            // The message names the first files only; each of them was not restored.
            for (const auto& [path, contents] : TreeOf(root / "src")) {
                if (result.err.find("\n" + path + "（") != std::string::npos) {
                    EXPECT_FALSE(stdfs::exists(out + "/" + path)) << path << ": " << result.err;
                }
            }
        }
    }
}

// The capacity the refusal of a too-large index names is the smallest that divides, also
// when each disk holds room back for the recovery disks' own files.
TEST(CliRecoveryProperty, TheCapacityNamedForATooLargeIndexIsTheSmallestThatDivides) {
    TempFolder root;
    ScopedVariable cache("XDG_CACHE_HOME", (root / "cache").c_str());
    for (unsigned i = 0; i < 40; ++i) {
        root.WriteFile("src/f" + std::to_string(i), Contents(300, i));
    }
    const std::string pattern = msg::kIndexTooLarge;
    const std::size_t bytesAt = pattern.find("%2");
    const std::size_t lineAt = pattern.rfind('\n', bytesAt) + 1;
    const std::string lead = pattern.substr(lineAt, bytesAt - lineAt);
    // Capacities at which the index, not a file, is what does not fit.
    for (const auto& [recovery, tooSmall] :
         {std::pair{0, 8 * kCluster}, std::pair{3, 15 * kCluster}}) {
        SCOPED_TRACE(recovery);
        int run = 0;
        auto divide = [&](std::int64_t capacity) {
            return RunCliWith(
                {"divide", root / "src", "--disk-folders",
                 root / ("stage" + std::to_string(recovery) + "-" + std::to_string(++run)),
                 "--capacity", std::to_string(capacity), "--cluster-size", std::to_string(kCluster),
                 "--recovery-disks", std::to_string(recovery), "--yes"});
        };
        const CliResult refused = divide(tooSmall);
        const std::size_t at = refused.err.find(lead);
        ASSERT_NE(at, std::string::npos) << refused.err;
        const std::int64_t named =
            std::strtoll(refused.err.c_str() + at + lead.size(), nullptr, 10);
        EXPECT_EQ(divide(named).code, 0);
        EXPECT_NE(divide(named - kCluster).err.find(lead), std::string::npos);
    }
}

} // namespace
} // namespace arbolink
