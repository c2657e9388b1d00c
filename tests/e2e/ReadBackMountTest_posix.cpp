// SPDX-License-Identifier: GPL-3.0-or-later
// The read-back after a disk is written, against a medium that returns other bytes than it was
// given: an ext2 image on a loop device whose backing file the test changes between the write
// and the read-back. Only a read that reaches the medium, past the page cache, sees the change.
// Needs the right to mount (root).
#include "core/DiskSupplier.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/SplitCommand.h"
#include "core/wFile/WriteMessages.h"
#include "fs/Folders.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::ScriptedHost;
using test::TempFolder;

// Every byte of the victim file says "CORRUPTME", so its blocks are found in the image.
const std::string kMarker = "CORRUPTME";

class OneFolder : public DiskSupplier {
public:
    explicit OneFolder(std::string folder) : folder_(std::move(folder)) {}
    std::string Folder(std::int32_t n) override { return n == 1 ? AddBackslash(folder_) : ""; }

private:
    std::string folder_;
};

// Changes one byte of every block of the image that holds the marker; answers how many.
int DamageMarkedBlocks(const std::string& image) {
    const int fd = open(image.c_str(), O_RDWR);
    if (fd < 0) {
        return 0;
    }
    int damaged = 0;
    std::string block(4096, '\0');
    for (off_t at = 0; pread(fd, block.data(), block.size(), at) > 0; at += 4096) {
        if (block.starts_with(kMarker)) {
            const char changed = 'X';
            damaged += pwrite(fd, &changed, 1, at) == 1 ? 1 : 0;
        }
    }
    close(fd);
    return damaged;
}

class ReadBackMountTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0) {
            GTEST_SKIP() << "the loop disk needs the right to mount";
        }
        image = root / "medium.img";
        medium = root / "medium";
        root.MakeFolder("medium");
        const std::string make = "mkfs.ext2 -q -F -b 4096 '" + image + "' 2048 >/dev/null 2>&1";
        const std::string mount = "mount -o loop '" + image + "' '" + medium + "' 2>/dev/null";
        if (std::system(make.c_str()) != 0 || std::system(mount.c_str()) != 0) {
            GTEST_SKIP() << "no ext2 loop disk here (mkfs.ext2, loop devices)";
        }
        mounted = true;
        root.WriteFile("src/big.bin", std::string(200'000, 'b'));
        std::string victim;
        while (victim.size() < 64 * 1024) {
            victim += kMarker;
        }
        root.WriteFile("src/victim.bin", victim.substr(0, 64 * 1024));
    }
    void TearDown() override {
        if (mounted) {
            EXPECT_EQ(std::system(("umount '" + medium + "'").c_str()), 0) << "left mounted";
        }
    }

    TempFolder root;
    std::string image;
    std::string medium;
    bool mounted = false;
};

// Each read-back of the disk meets a damaged copy of the victim: Retry writes the disk again
// and reads it back again, Ignore goes on and the closing message names the file. The larger
// file is written and read back first, so the damage lands after the copy and before the
// victim is read back.
TEST_F(ReadBackMountTest, AMediumThatReadsBackOtherBytesIsCaughtBeforeTheNextDisk) {
    Session session;
    ScriptedHost host;
    MainFields fields{root / "src", medium, "", false};
    host.fields = fields;
    int readBacks = 0;
    host.onProcessMessages = [&] {
        if (!host.progress.empty() && host.progress.back()->caption == msg::kVerifyingCaption &&
            !host.progress.back()->released) {
            readBacks += DamageMarkedBlocks(image) > 0 ? 1 : 0;
        }
    };
    const std::string question = msg::kReadBackMismatch;
    host.Answer(Button::Ok);
    host.Answer(Button::Retry);
    host.Answer(Button::Ignore);
    OneFolder disk(medium + "/set");
    RunDivide(session, host, fields, 4096, 1000, false, &disk);

    const std::vector<std::string> texts = host.DialogTexts();
    ASSERT_EQ(texts.size(), 4u) << testing::PrintToString(texts);
    const std::string victim = root / "src/victim.bin";
    for (int asked : {1, 2}) {
        EXPECT_TRUE(texts[asked].starts_with(question)) << texts[asked];
        EXPECT_NE(texts[asked].find(victim + "（" + msg::kReasonReadBack + "）"), std::string::npos)
            << texts[asked];
        EXPECT_EQ(texts[asked].find("big.bin"), std::string::npos) << texts[asked];
    }
    EXPECT_EQ(readBacks, 2);
    EXPECT_NE(texts[3].find(victim), std::string::npos) << texts[3];
    // Retry writes the disk again, and its gauge goes back once, to where the disk began;
    // read back and ignored, the disk ends the run at 100.
    const std::vector<int>& gauge = host.progress.back()->gauge;
    std::size_t backs = 0;
    for (std::size_t i = 1; i < gauge.size(); ++i) {
        if (gauge[i] < gauge[i - 1]) {
            ++backs;
            EXPECT_EQ(gauge[i], 0) << testing::PrintToString(gauge);
        }
    }
    EXPECT_EQ(backs, 1u) << testing::PrintToString(gauge);
    EXPECT_EQ(gauge.back(), 100);
}

} // namespace
} // namespace arbolink
