// SPDX-License-Identifier: GPL-3.0-or-later
// Round trip: a generated tree is divided by the split command onto several small tmpfs disks
// swapped in one drive, then restored by the restore command with the disks inserted in a
// shuffled order. The restored tree must equal the source byte for byte, with the same
// modification times and permission bits, and nothing else may be written: not into the
// source, not beside the set on the disks, not into the empty drive folder, not into the
// restore folder.
//
// Several disks in one drive can only be had by mounting (root); without that right the test
// skips. Plain folders would not do: the split run must find a fresh disk, with free space of
// its own, at the same path after every prompt.
#include "core/Formatted.h"
#include "core/SetChecksums.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/SplitCommand.h"
#include "core/rFile/RestoreCommand.h"
#include "core/rFile/RestoreMessages.h"
#include "core/wFile/WriteMessages.h"
#include "fs/Drives.h"
#include "support/DiskShelf_posix.h"
#include "support/PhraseLead.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"
#include "support/TreeSnapshot_posix.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::DiskShelf;
using test::ScriptedHost;
using test::SnapshotEntry;
using test::TempFolder;
using test::TreeSnapshot;

// Small enough that every tree needs several disks, large enough for its largest file.
constexpr std::int64_t kDiskKibibytes = 96;

// Random choices whose sequence the standard fixes, so that a seed gives the same tree with
// every standard library.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : engine_(seed) {}
    std::uint32_t Below(std::uint32_t n) { return engine_() % n; }
    bool OneIn(std::uint32_t n) { return Below(n) == 0; }
    template <typename T> const T& Pick(const std::vector<T>& items) {
        return items[Below(static_cast<std::uint32_t>(items.size()))];
    }
    std::string Bytes(std::size_t size) {
        std::string bytes(size, '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(engine_() & 0xFF);
        }
        return bytes;
    }
    template <typename T> void Shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i) {
            std::swap(items[i - 1], items[Below(static_cast<std::uint32_t>(i))]);
        }
    }

private:
    std::mt19937 engine_;
};

const std::vector<std::string> kFolderNames = {"写真",   "書類",      "音楽",       "ソフト",
                                               "表計算", "能力開発",  "十月",       "ｶﾀｶﾅ",
                                               "docs",   "Old Files", "データ (2)", "予定・メモ"};
const std::vector<std::string> kStems = {
    "表",   "予定表", "ソース", "能書き", "メモ", "report", "日本語のとても長いファイル名です",
    "ﾊﾝｶｸ", "①番",    "data"};
const std::vector<std::string> kExtensions = {".txt", ".jpg", ".doc", "", ".tar.gz", ".JPG"};
// Names a FAT disk refuses: they are stored under other names and must come back as they were.
const std::vector<std::string> kAwkwardNames = {"メモ: \"引用\" <1>?.txt",
                                                "末尾の点.",
                                                "末尾の空白 ",
                                                "CON.txt",
                                                "nul",
                                                "a*b|c.txt",
                                                "_index.@txt",
                                                "Arbolink",
                                                "カンマ, と ; 記号.csv"};
// Names every restore refuses: the divide leaves them out and says so.
const std::vector<std::string> kUnrestorableNames = {"円\\記号.txt", "c:ドライブ風.txt"};

struct GeneratedTree {
    int carried = 0;                  // files a set carries
    std::vector<std::string> leftOut; // entries the divide must leave out, relative paths
};

// Writes the generated tree below root.
class TreeWriter {
public:
    TreeWriter(std::string root, std::uint32_t seed, std::int64_t cluster)
        : root_(std::move(root)), dice_(seed), cluster_(cluster) {}

    GeneratedTree Write() {
        std::vector<std::string> holders = {""}; // folders that get files, "" the root
        for (int i = 0, n = 4 + static_cast<int>(dice_.Below(5)); i < n; ++i) {
            const std::string parent = dice_.Pick(holders);
            const std::string folder = parent + dice_.Pick(kFolderNames) + "/";
            if (std::find(holders.begin(), holders.end(), folder) == holders.end()) {
                holders.push_back(folder);
            }
        }
        std::string deep;
        for (int depth = 1, n = 12 + static_cast<int>(dice_.Below(8)); depth <= n; ++depth) {
            deep += "階層" + std::to_string(depth) + "/";
        }
        holders.push_back(deep);
        // A folder holding only folders, one of them deeper.
        holders.push_back("フォルダーだけ/中1/");
        holders.push_back("フォルダーだけ/中2/孫/");
        // Folders without any file below are not carried.
        stdfs::create_directories(root_ + "/空/もっと空");

        for (const std::string& folder : holders) {
            for (int i = 0, n = 1 + static_cast<int>(dice_.Below(4)); i < n; ++i) {
                File(folder,
                     dice_.Pick(kStems) + (dice_.OneIn(2) ? std::to_string(dice_.Below(100)) : "") +
                         dice_.Pick(kExtensions),
                     RandomSize());
            }
            // The same name in every folder.
            File(folder, "index.html", RandomSize());
        }
        const std::string& mixed = dice_.Pick(holders);
        for (const char* name :
             {"Readme.txt", "README.txt", "readme.TXT", "Ａ全角.txt", "ａ全角.txt"}) {
            File(mixed, name, RandomSize());
        }
        for (int i = 0; i < 3; ++i) {
            File(dice_.Pick(holders), dice_.Pick(kAwkwardNames), RandomSize());
        }
        File(dice_.Pick(holders), "空のファイル", 0);
        File(dice_.Pick(holders), "ちょうど1クラスタ.bin", cluster_);
        File(dice_.Pick(holders), "1バイト多い.bin", cluster_ + 1);
        GeneratedTree tree{static_cast<int>(written_.size()), {}};
        const std::string& holder = dice_.Pick(holders);
        const std::string& name = dice_.Pick(kUnrestorableNames);
        File(holder, name, RandomSize());
        tree.leftOut.push_back(holder + name);
        if (dice_.OneIn(2)) {
            const std::string folder = dice_.Pick(holders) + "x:フォルダー";
            File(folder + "/", "中身.txt", RandomSize());
            tree.leftOut.push_back(folder);
        }
        return tree;
    }

private:
    std::int64_t RandomSize() {
        switch (dice_.Below(8)) {
        case 0:
            return 0;
        case 1:
            return cluster_;
        case 2:
            return cluster_ + 1;
        case 3:
        case 4:
            return 2 + dice_.Below(static_cast<std::uint32_t>(cluster_ - 2));
        default:
            return cluster_ + 2 + dice_.Below(static_cast<std::uint32_t>(3 * cluster_));
        }
    }

    // Writes one file with random bytes, permission bits and modification time; a name the
    // folder holds already is left as it is.
    void File(const std::string& folder, const std::string& name, std::int64_t size) {
        if (!written_.insert(folder + name).second) {
            return;
        }
        const std::string path = root_ + "/" + folder + name;
        stdfs::create_directories(root_ + "/" + folder);
        std::ofstream(path, std::ios::binary) << dice_.Bytes(static_cast<std::size_t>(size));
        static const std::vector<mode_t> kModes = {0644, 0600, 0755, 0444, 0640};
        ASSERT_EQ(chmod(path.c_str(), dice_.Pick(kModes)), 0) << path;
        // Between 2000 and 2030, with and without a fraction of a second.
        const timespec mtime{946'684'800 + static_cast<time_t>(dice_.Below(946'771'200)),
                             dice_.OneIn(3) ? 0 : static_cast<long>(dice_.Below(1'000'000'000))};
        const timespec times[2] = {mtime, mtime};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
    }

    std::string root_;
    Dice dice_;
    std::int64_t cluster_;
    std::set<std::string> written_;
};

// The source snapshot as a restore must give it back: every file, and the folders that hold
// files below them (a folder without files is not part of a set).
TreeSnapshot ExpectedRestore(const TreeSnapshot& source) {
    TreeSnapshot expected;
    for (const auto& [path, entry] : source) {
        if (entry.folder) {
            continue;
        }
        expected[path] = entry;
        for (stdfs::path parent = stdfs::path(path).parent_path(); !parent.empty();
             parent = parent.parent_path()) {
            expected[parent.generic_string()].folder = true;
        }
    }
    return expected;
}

// A file's bytes and attributes, to find a stored file's source whatever its name.
using Carried = std::tuple<std::string, std::int64_t, unsigned>;

Carried CarriedOf(const SnapshotEntry& entry) {
    return {entry.bytes, entry.mtimeNs, entry.permissions};
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

class RoundTripTest : public ::testing::TestWithParam<std::uint32_t> {
protected:
    void SetUp() override {
        shelf.emplace(root.path(), kDiskKibibytes);
        if (!shelf->AddDisk() || !shelf->Insert(1)) {
            GTEST_SKIP() << "the round trip needs several disks in one drive, which only "
                            "mounting gives: "
                         << shelf->error();
        }
        std::int32_t sectors = 0;
        std::int32_t bytes = 0;
        std::int64_t freeBytes = 0;
        ASSERT_TRUE(GetDriveSpace(shelf->drive(), sectors, bytes, freeBytes));
        cluster = std::int64_t{sectors} * bytes;
        root.MakeFolder("source");
        root.MakeFolder("out");
        tree = TreeWriter(root / "source", GetParam(), cluster).Write();
        // A small stand-in for the program file, so that its copy fits on disk 1.
        root.WriteFile("program/arbolink", "program bytes");
        copyProgram = GetParam() % 2 == 1;
    }

    // Divides the source onto as many fresh disks as the split asks for. Answers the number.
    int Divide() {
        ScriptedHost host;
        host.fields.source = root / "source";
        host.fields.destination = shelf->drive();
        host.fields.copyProgram = copyProgram;
        session.values.ProgramFile = root / "program/arbolink";
        int disks = 0;
        host.Answer(Button::Ok); // the number of disks is the split's to tell
        host.onDialog = [&](const test::DialogRecord& dialog) {
            if (disks == 0 && IsFilledIn(msg::kPrepareDisks, dialog.text)) {
                disks = std::stoi(dialog.text.substr(test::Lead(msg::kPrepareDisks).size()));
                for (int disk = 1; disk <= disks; ++disk) {
                    host.Answer(Button::Ok, Formatted(msg::kInsertDisk, disk));
                }
                return;
            }
            // Every prompt after the first gets a fresh disk; the first finds the one in the drive.
            if (IsFilledIn(msg::kInsertDisk, dialog.text) && !dialog.text.starts_with("1 ")) {
                ASSERT_TRUE(shelf->AddDisk() && shelf->Insert(shelf->count())) << shelf->error();
            }
        };
        BitBtn2Click(session, host);
        ExpectLeftOutListed(host, 0, msg::kNotCarriedHeader);
        // What was left out is counted again in the closing message, never a plain "finished".
        ExpectLeftOutListed(host, host.dialogs.size() - 1, msg::kCopyFinishedNotCarried);
        std::vector<std::string> expected = {Formatted(msg::kPrepareDisks, disks)};
        for (int disk = 1; disk <= disks; ++disk) {
            expected.push_back(Formatted(msg::kInsertDisk, disk));
        }
        EXPECT_EQ(host.DialogTexts(), expected);
        EXPECT_EQ(host.UnusedAnswers(), 0u);
        EXPECT_EQ(shelf->count(), disks);
        shelf->Eject();
        return disks;
    }

    // The divide lists what it leaves out before it asks for the disks and in its closing
    // message; the dialog at that place is taken out of the host's record here, so that the
    // rest can be compared as it stands.
    void ExpectLeftOutListed(ScriptedHost& host, std::size_t at, const Phrase& headerPattern) {
        ASSERT_LT(at, host.dialogs.size());
        const test::DialogRecord& list = host.dialogs[at];
        const std::string header = Formatted(headerPattern, tree.leftOut.size());
        EXPECT_EQ(list.kind, DialogKind::Warning);
        EXPECT_TRUE(list.text.starts_with(header)) << list.text;
        for (const std::string& path : tree.leftOut) {
            EXPECT_NE(list.text.find("\n" + Formatted(msg::kNameWithReason, path,
                                                      msg::kReasonNotRestorableName)),
                      std::string::npos)
                << path << " is not listed in\n"
                << list.text;
        }
        host.dialogs.erase(host.dialogs.begin() + static_cast<std::ptrdiff_t>(at));
    }

    // The source without what the divide leaves out.
    TreeSnapshot CarriedPart(const TreeSnapshot& source) const {
        TreeSnapshot carried = source;
        std::erase_if(carried, [&](const auto& item) {
            return std::any_of(tree.leftOut.begin(), tree.leftOut.end(),
                               [&](const std::string& out) {
                                   return item.first == out || item.first.starts_with(out + "/");
                               });
        });
        return carried;
    }

    // Restores from the disks in the given order, answering every swap question by
    // inserting the next one.
    void Restore(const std::vector<int>& order) {
        ScriptedHost host;
        host.fields.destination = shelf->drive();
        host.fields.restoreTo = root / "out";
        std::vector<std::string> expected;
        for (std::size_t left = order.size() - 1; left >= 1; --left) {
            expected.push_back(Formatted(msg::kSwapDiskLeft, left));
            host.Answer(Button::Yes, expected.back());
        }
        expected.push_back(msg::kRestoreFinished);
        std::size_t next = 0;
        ASSERT_TRUE(shelf->Insert(order[next++])) << shelf->error();
        host.onDialog = [&](const test::DialogRecord& dialog) {
            if (IsFilledIn(msg::kSwapDiskLeft, dialog.text) && next < order.size()) {
                ASSERT_TRUE(shelf->Insert(order[next++])) << shelf->error();
            }
        };
        BitBtn3Click(session, host);
        EXPECT_EQ(host.DialogTexts(), expected);
        EXPECT_EQ(next, order.size());
        EXPECT_TRUE(host.mainWindowEnabled);
        shelf->Eject();
    }

    // The disk's checksum list names exactly its stored files (and the program copy), each
    // with the SHA-256 of its bytes; the map of the last disk names every stored file of the
    // set with its disk, size and digest.
    static void ExpectChecksumsOf(const TreeSnapshot& contents, const std::string& folder, int disk,
                                  std::map<std::string, MapEntry>& seen) {
        std::set<std::string> listed;
        std::istringstream list(contents.at(folder + kChecksumListName).bytes);
        for (std::string line; std::getline(list, line);) {
            ASSERT_GT(line.size(), 66u) << line;
            const std::string name = line.substr(66);
            ASSERT_TRUE(contents.count(folder + name)) << "listed but not on the disk: " << line;
            EXPECT_EQ(line.substr(0, 66),
                      HexDigest(Sha256Of(contents.at(folder + name).bytes)) + "  ");
            listed.insert(name);
        }
        for (const auto& [path, entry] : contents) {
            const std::string name = path.substr(std::min(path.size(), folder.size()));
            const bool setFile = name == kIndexFileName || name == kIdentityFileName ||
                                 name == kChecksumListName || name == kSetMapName;
            if (!entry.folder && path.starts_with(folder) && !setFile) {
                EXPECT_TRUE(listed.count(name)) << "not in the checksum list: " << path;
                seen[name] = {name, disk, static_cast<std::int64_t>(entry.bytes.size()),
                              Sha256Of(entry.bytes)};
            }
        }
    }

    // Every disk holds the set folder and nothing else; in it the set files, the same index
    // everywhere, its own identity, and stored files that are, over all disks, exactly the
    // source's files with their bytes and attributes. Disk 1 may hold the program copy.
    void ExpectDisksHoldTheSet(int disks, const TreeSnapshot& source) {
        std::multiset<Carried> unmatched;
        for (const auto& [path, entry] : source) {
            if (!entry.folder) {
                unmatched.insert(CarriedOf(entry));
            }
        }
        const std::string folder = std::string(kDummyFolderName) + "/";
        const std::string index = folder + kIndexFileName;
        const std::string identity = folder + kIdentityFileName;
        const std::string program = folder + kProgramFolderName;
        const std::string list = folder + kChecksumListName;
        const std::string map = folder + kSetMapName;
        std::map<std::string, MapEntry> seen;
        std::string lastMap;
        std::string firstIndex;
        std::string setId;
        int stored = 0;
        bool programSeen = false;
        for (int disk = 1; disk <= disks; ++disk) {
            SCOPED_TRACE("disk " + std::to_string(disk));
            const TreeSnapshot contents = test::SnapshotOf(shelf->DiskPath(disk));
            ASSERT_TRUE(contents.count(kDummyFolderName) && contents.count(index) &&
                        contents.count(identity))
                << Lines(test::Differences({}, contents));
            const std::string& id = contents.at(identity).bytes;
            const std::string ending =
                "," + std::to_string(disk) + "," + std::to_string(disks) + "\r\n";
            ASSERT_TRUE(id.ends_with(ending)) << id;
            if (disk == 1) {
                firstIndex = contents.at(index).bytes;
                setId = id.substr(0, id.size() - ending.size());
            }
            EXPECT_EQ(contents.at(index).bytes, firstIndex);
            EXPECT_EQ(id.substr(0, id.size() - ending.size()), setId);
            ASSERT_TRUE(contents.count(list) && contents.count(map));
            ExpectChecksumsOf(contents, folder, disk, seen);
            lastMap = contents.at(map).bytes;
            for (const auto& [path, entry] : contents) {
                if (path == kDummyFolderName || path == index || path == identity || path == list ||
                    path == map) {
                    continue;
                }
                if (disk == 1 && path == program) {
                    programSeen = entry.folder;
                    continue;
                }
                if (disk == 1 && path == program + "/arbolink") {
                    EXPECT_EQ(entry.bytes, "program bytes");
                    continue;
                }
                const bool inSetFolder =
                    path.starts_with(folder) && path.find('/', folder.size()) == std::string::npos;
                auto match = unmatched.find(CarriedOf(entry));
                EXPECT_TRUE(inSetFolder && !entry.folder && match != unmatched.end())
                    << "not a stored file of the source: " << path;
                if (match != unmatched.end()) {
                    unmatched.erase(match);
                    ++stored;
                }
            }
        }
        EXPECT_EQ(stored, tree.carried);
        EXPECT_TRUE(unmatched.empty()) << unmatched.size() << " source files on no disk";
        const std::vector<MapEntry> entries = ParseSetMap(lastMap);
        EXPECT_EQ(entries.size(), static_cast<std::size_t>(tree.carried));
        for (const MapEntry& entry : entries) {
            const auto found = seen.find(entry.stored);
            ASSERT_NE(found, seen.end()) << "mapped but on no disk: " << entry.stored;
            EXPECT_EQ(entry.disk, found->second.disk) << entry.stored;
            EXPECT_EQ(entry.size, found->second.size) << entry.stored;
            EXPECT_EQ(entry.digest, found->second.digest) << entry.stored;
        }
        EXPECT_EQ(programSeen, copyProgram);
    }

    TempFolder root;
    std::optional<DiskShelf> shelf;
    Session session;
    std::int64_t cluster = 0;
    GeneratedTree tree;
    bool copyProgram = false;
};

TEST_P(RoundTripTest, RestoresTheDividedTreeExactlyFromDisksInAnyOrder) {
    const std::uint32_t seed = GetParam();
    SCOPED_TRACE("seed " + std::to_string(seed));
    const TreeSnapshot source = test::SnapshotOf(root / "source");
    ASSERT_GE(tree.carried, 30);

    const int disks = Divide();
    ASSERT_GE(disks, 2) << "the tree should need several disks";
    EXPECT_TRUE(stdfs::is_empty(shelf->drive())) << "written into the drive without a disk";
    ExpectDisksHoldTheSet(disks, CarriedPart(source));
    std::vector<TreeSnapshot> written;
    for (int disk = 1; disk <= disks; ++disk) {
        written.push_back(test::SnapshotOf(shelf->DiskPath(disk)));
    }

    std::vector<int> order;
    for (int disk = 1; disk <= disks; ++disk) {
        order.push_back(disk);
    }
    Dice(seed ^ 0x5EED).Shuffle(order);
    std::string orderText;
    for (int disk : order) {
        orderText += std::to_string(disk) + " ";
    }
    SCOPED_TRACE("restore order " + orderText);
    Restore(order);

    EXPECT_EQ(Lines(test::Differences(ExpectedRestore(CarriedPart(source)),
                                      test::SnapshotOf(root / "out"))),
              "");
    EXPECT_EQ(Lines(test::Differences(source, test::SnapshotOf(root / "source"))), "")
        << "the source changed";
    for (int disk = 1; disk <= disks; ++disk) {
        EXPECT_EQ(Lines(test::Differences(written[static_cast<std::size_t>(disk - 1)],
                                          test::SnapshotOf(shelf->DiskPath(disk)))),
                  "")
            << "the restore changed disk " << disk;
    }
    EXPECT_TRUE(stdfs::is_empty(shelf->drive())) << "written into the drive without a disk";
}

INSTANTIATE_TEST_SUITE_P(Seeds, RoundTripTest,
                         ::testing::Values(1u, 2u, 7u, 42u, 1234u, 20261209u, 4000000007u),
                         [](const ::testing::TestParamInfo<std::uint32_t>& info) {
                             return "Seed" + std::to_string(info.param);
                         });

} // namespace
} // namespace arbolink
