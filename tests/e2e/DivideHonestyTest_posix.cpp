// SPDX-License-Identifier: GPL-3.0-or-later
// A divide on real folders that must carry everything it can, say what it could not carry,
// and never take the source for a place to write to.
#include "CliRun.h"
#include "core/CopyReasons.h"
#include "core/Formatted.h"
#include "core/Session.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/SplitCommand.h"
#include "core/wFile/WriteMessages.h"
#include "fs/Encoding.h"
#include "fs/Folders.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::CliResult;
using test::RunCliWith;
using test::ScriptedHost;
using test::TempFolder;
using test::TreeOf;

std::vector<std::string> StagingDivide(const TempFolder& root) {
    return {"divide", root / "src", "--disk-folders", root / "stage", "--capacity", "1M", "--yes"};
}

std::string Filled(const Phrase& pattern, int count) {
    return Formatted(pattern, count);
}

std::string Listed(const std::string& path, const Phrase& reason) {
    return "\n" + Formatted(msg::kNameWithReason, path, reason);
}

// A chain of folders of 250-byte names below parent, made through descriptors since its
// whole path is longer than the file calls take. Answers the relative path (from
// relativeStart) of the first folder whose entries' paths would be too long, counting
// prefixBytes for the source root before it.
class DeepChain {
public:
    DeepChain(const std::string& parent, std::size_t prefixBytes, int levels) : top_(parent) {
        const std::string name(250, 'd');
        int fd = open(parent.c_str(), O_DIRECTORY | O_RDONLY);
        std::string relative = "deep";
        EXPECT_EQ(mkdirat(fd, "deep", 0755), 0);
        fd = Descend(fd, "deep");
        for (int level = 0; level < levels; ++level) {
            EXPECT_EQ(mkdirat(fd, name.c_str(), 0755), 0);
            const std::string below = relative + "/" + name;
            if (tooLong.empty() && prefixBytes + below.size() + 1 > kMaxPathBytes) {
                tooLong = below;
            }
            relative = below;
            fd = Descend(fd, name.c_str());
            if (level == levels / 2) {
                middleFd_ = dup(fd);
            }
        }
        const int file = openat(fd, "bottom.txt", O_WRONLY | O_CREAT, 0644);
        EXPECT_GE(file, 0);
        EXPECT_EQ(write(file, "x", 1), 1);
        close(file);
        close(fd);
    }
    // Cuts the chain in two, so that the temporary folder's removal reaches every part.
    ~DeepChain() {
        const int topFd = open(top_.c_str(), O_DIRECTORY | O_RDONLY);
        const int parentFd = openat(middleFd_, "..", O_DIRECTORY | O_RDONLY);
        renameat(parentFd, std::string(250, 'd').c_str(), topFd, "cut");
        for (int fd : {topFd, parentFd, middleFd_}) {
            close(fd);
        }
    }
    DeepChain(const DeepChain&) = delete;
    DeepChain& operator=(const DeepChain&) = delete;

    std::string tooLong;

private:
    static int Descend(int fd, const char* name) {
        const int below = openat(fd, name, O_DIRECTORY | O_RDONLY);
        close(fd);
        EXPECT_GE(below, 0);
        return below;
    }
    std::string top_;
    int middleFd_ = -1;
};

// Everything a walk leaves out, each for its own reason: the divide copies the rest, and
// both the window and the command line end by saying how many were left out, never with
// the plain "finished".
TEST(DivideHonesty, LeftOutEntriesAreCountedInTheClosingMessageAndFailTheCommand) {
    TempFolder root;
    root.WriteFile("src/kept.txt", "kept");
    ASSERT_EQ(symlink("loop", (root / "src/loop").c_str()), 0);
    ASSERT_EQ(symlink("ring-b", (root / "src/ring-a").c_str()), 0);
    ASSERT_EQ(symlink("ring-a", (root / "src/ring-b").c_str()), 0);
    ASSERT_EQ(symlink("nowhere", (root / "src/dangling").c_str()), 0);
    ASSERT_EQ(mkfifo((root / "src/fifo").c_str(), 0600), 0);
    DeepChain deep(root / "src", (root / "src/").size(), 17);
    ASSERT_FALSE(deep.tooLong.empty());

    const std::vector<std::pair<std::string, Phrase>> leftOut = {
        {"loop", msg::kReasonLinkLoop},    {"ring-a", msg::kReasonLinkLoop},
        {"ring-b", msg::kReasonLinkLoop},  {"dangling", msg::kReasonDanglingLink},
        {"fifo", msg::kReasonSpecialFile}, {deep.tooLong, msg::kReasonPathTooLong}};
    auto expectListed = [&](const std::string& text) {
        for (const auto& [path, reason] : leftOut) {
            EXPECT_NE(text.find(Listed(path, reason)), std::string::npos) << path << "\n" << text;
        }
        EXPECT_EQ(text.find(msg::kReasonUnreadableFolder), std::string::npos) << text;
    };

    // The window's road: the planning's list, then a closing warning that counts them.
    {
        Session session;
        ScriptedHost host;
        host.fields = {root / "src", root / "window", "", false};
        stdfs::create_directories(root / "window");
        host.Answer(Button::Ok, Formatted(msg::kPrepareDisks, 1));
        host.Answer(Button::Ok, Formatted(msg::kInsertDisk, 1));
        BitBtn2Click(session, host);
        ASSERT_EQ(host.dialogs.size(), 4u) << ::testing::PrintToString(host.DialogTexts());
        EXPECT_EQ(host.dialogs[0].kind, DialogKind::Warning);
        EXPECT_TRUE(host.dialogs[0].text.starts_with(Filled(msg::kNotCarriedHeader, 6)));
        expectListed(host.dialogs[0].text);
        const test::DialogRecord& closing = host.dialogs[3];
        EXPECT_EQ(closing.kind, DialogKind::Warning);
        EXPECT_TRUE(closing.text.starts_with(Filled(msg::kCopyFinishedNotCarried, 6)))
            << closing.text;
        expectListed(closing.text);
        EXPECT_EQ(TreeOf(root / "window").count("kept.txt"), 1u);
    }

    // The command line's road: the same count, exit status 1, and the rest on the disk.
    CliResult divide = RunCliWith(StagingDivide(root));
    EXPECT_EQ(divide.code, 1) << divide.err;
    EXPECT_NE(divide.err.find(Filled(msg::kCopyFinishedNotCarried, 6)), std::string::npos)
        << divide.err;
    expectListed(divide.err);
    const auto disk = TreeOf(root / "stage/disk01");
    EXPECT_EQ(disk.at("@dummy@/kept.txt"), "kept");
    EXPECT_EQ(disk.count("@dummy@/bottom.txt"), 0u);
}

// Bytes of a name made of one character repeated to fill 255 bytes.
std::string LongName(const std::string& character, const std::string& extension) {
    std::string name;
    while (name.size() + character.size() + extension.size() <= 255) {
        name += character;
    }
    return name + extension;
}

// Names as long as a file system allows, repeated in letter case and in several folders:
// each gets a stored name of its own no longer than a name may be, and a restore gives
// every file back under its own name.
TEST(DivideHonesty, NamesAtTheLengthLimitAreStoredUnderNamesThatFit) {
    TempFolder root;
    const std::string lower = LongName("n", ".txt");
    const std::string upper = LongName("N", ".txt");
    const std::string japanese = LongName("名", ""); // 85 characters of three bytes
    ASSERT_EQ(lower.size(), 255u);
    ASSERT_EQ(japanese.size(), 255u);
    int seed = 0;
    for (const char* folder : {"a", "b", "c"}) {
        for (const std::string& name : {lower, upper, japanese}) {
            root.WriteFile(std::string("src/") + folder + "/" + name,
                           "file " + std::to_string(seed++));
        }
    }
    CliResult divide = RunCliWith(StagingDivide(root));
    ASSERT_EQ(divide.code, 0) << divide.err;
    EXPECT_NE(divide.err.find(msg::kCopyFinished), std::string::npos) << divide.err;

    std::set<std::string> stored;
    for (const auto& entry : stdfs::directory_iterator(root / "stage/disk01/@dummy@")) {
        const std::string name = entry.path().filename().string();
        EXPECT_LE(name.size(), 255u) << name;
        EXPECT_TRUE(IsValidUtf8(name)) << name;
        EXPECT_TRUE(stored.insert(UpperCase(name)).second) << name << " twice in either case";
    }
    EXPECT_EQ(stored.size(), 9u + 4u); // the nine files and the four set files

    root.MakeFolder("out");
    CliResult restore = RunCliWith({"restore", "--from", root / "stage/disk01", root / "out"});
    ASSERT_EQ(restore.code, 0) << restore.err;
    EXPECT_EQ(TreeOf(root / "out"), TreeOf(root / "src"));
}

// A split destination that is the source or lies inside it is refused before the walk,
// in the window as on the command line, and nothing is written.
TEST(DivideHonesty, ADestinationInsideTheSourceIsRefusedBeforePlanning) {
    TempFolder root;
    root.WriteFile("src/a.txt", "a");
    root.WriteFile("src/sub/b.txt", "b");
    const auto before = TreeOf(root.path());
    for (const std::string& destination :
         {root / "src", root / "src/sub", root / "src/sub/../new", root / "src/not/yet"}) {
        Session session;
        ScriptedHost host;
        host.fields = {root / "src", destination, "", false};
        BitBtn2Click(session, host);
        EXPECT_EQ(host.DialogTexts(), std::vector<std::string>{msg::kDestinationInSource})
            << destination;
        EXPECT_TRUE(host.progress.empty()) << destination;
        EXPECT_EQ(TreeOf(root.path()), before) << destination;
    }
    ASSERT_EQ(symlink((root / "src").c_str(), (root / "alias").c_str()), 0);
    CliResult divide = RunCliWith(
        {"divide", root / "src", "--disk-folders", root / "alias/stage", "--capacity", "1M"});
    EXPECT_EQ(divide.code, 1) << divide.err;
    EXPECT_NE(divide.err.find(msg::kDestinationInSource), std::string::npos) << divide.err;
    EXPECT_FALSE(stdfs::exists(root / "src/stage"));

    // A sibling whose name only begins like the source's is no part of it.
    root.MakeFolder("src2");
    CliResult beside = RunCliWith(
        {"divide", root / "src", "--disk-folders", root / "src2", "--capacity", "1M", "--yes"});
    EXPECT_EQ(beside.code, 0) << beside.err;
}

} // namespace
} // namespace arbolink
