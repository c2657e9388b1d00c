// SPDX-License-Identifier: GPL-3.0-or-later
// The disc burner on stdio: pseudo-drives: what it writes reads back whole, and what it must
// refuse it refuses before or instead of reporting a disc as written.
#include "fs/Burner.h"

#include "core/divide/StoredNames.h"
#include "support/PatternBytes.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::TempFolder;

class BurnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!BurningBuilt()) {
            GTEST_SKIP() << "built without libburn and libisofs";
        }
    }

    BurnEnd Burn(const std::string& drive, std::int64_t limit, const BurnWatch& watch = {}) {
        std::string detail;
        blocks = 0;
        return burner->Burn(drive, root / "disc", limit, watch, blocks, detail);
    }

    TempFolder root;
    std::unique_ptr<Burner> burner = OpenBurner();
    std::int64_t blocks = 0;
};

TEST_F(BurnerTest, ImageReadsBackWithEveryNameAndRefusesToOverwriteOrOverflow) {
    const std::map<std::string, std::string> files{
        {"@dummy@/日本語の名前.txt", "ファイル"},
        {"@dummy@/" + std::string(103, 'L'), test::PatternBytes(5000)},
        {"@dummy@/Case.txt", "upper"},
        {"@dummy@/case.txt", "lower"},
        {"@dummy@/Arbolink/arbolink", test::PatternBytes(70'000)},
        {"@dummy@/empty", ""},
    };
    for (const auto& [path, bytes] : files) {
        root.WriteFile("disc/" + path, bytes);
    }
    const std::string drive = "stdio:" + root / "a.iso";
    ASSERT_EQ(Burn(drive, 0), BurnEnd::Written);
    const std::int64_t imageBlocks = blocks;
    EXPECT_EQ(static_cast<std::int64_t>(stdfs::file_size(root / "a.iso")),
              imageBlocks * kDiscBlockBytes);

    DiscDigests digests;
    bool cancelled = true;
    std::string detail;
    ASSERT_TRUE(burner->ReadBack(drive, digests, {}, cancelled, detail)) << detail;
    EXPECT_FALSE(cancelled);
    ASSERT_EQ(digests.size(), files.size());
    for (const auto& [path, bytes] : files) {
        ASSERT_TRUE(digests.count(path)) << path;
        EXPECT_EQ(digests[path], Sha256Of(bytes)) << path;
    }

    // An image file that holds something is no blank disc: it stays as it is.
    const auto written = stdfs::file_size(root / "a.iso");
    EXPECT_EQ(Burn(drive, 0), BurnEnd::NoBlankDisc);
    EXPECT_EQ(stdfs::file_size(root / "a.iso"), written);
    BurnEnd why = BurnEnd::Written;
    EXPECT_EQ(burner->BlankBlocks(drive, why, detail), -1);
    EXPECT_EQ(why, BurnEnd::NoBlankDisc);
    // An image file is no rewritable disc: it is never blanked.
    EXPECT_EQ(burner->Blank(drive, {}, detail), BurnEnd::NoBlankDisc);
    EXPECT_EQ(stdfs::file_size(root / "a.iso"), written);

    // An image one block beyond the limit is refused before a byte is written.
    const std::string small = "stdio:" + root / "b.iso";
    EXPECT_EQ(Burn(small, imageBlocks - 1), BurnEnd::DiscTooSmall);
    EXPECT_EQ(blocks, imageBlocks);
    EXPECT_TRUE(!stdfs::exists(root / "b.iso") || stdfs::file_size(root / "b.iso") == 0);
    EXPECT_EQ(Burn(small, imageBlocks), BurnEnd::Written);
}

TEST_F(BurnerTest, TreeTheImageBuilderWouldMisplaceIsRefusedBeforeAnythingIsWritten) {
    // 300 names of 248 bytes in one folder: libisofs 1.5.4 lays out their Rock Ridge
    // continuation areas in more blocks than it writes.
    for (int i = 0; i < 300; ++i) {
        const std::string number = std::to_string(1000 + i);
        root.WriteFile("disc/@dummy@/" + number + std::string(248 - number.size(), 'x'), "x");
    }
    std::string detail;
    EXPECT_EQ(burner->Burn("stdio:" + root / "a.iso", root / "disc", 0, {}, blocks, detail),
              BurnEnd::TreeMisplaced);
    EXPECT_FALSE(detail.empty());
    EXPECT_TRUE(!stdfs::exists(root / "a.iso") || stdfs::file_size(root / "a.iso") == 0);

    // As many names of as many bytes as one directory record holds (and within Joliet's
    // 103 characters) burn whole and read back.
    stdfs::remove_all(root / "disc");
    std::map<std::string, std::string> files;
    for (int i = 0; i < 300; ++i) {
        std::string name = std::to_string(1000 + i);
        while (name.size() + 3 <= kDiscRecordNameBytes) {
            name += "名";
        }
        name += std::string(kDiscRecordNameBytes - name.size(), 'x');
        files["@dummy@/" + name] = name;
    }
    for (const auto& [path, bytes] : files) {
        root.WriteFile("disc/" + path, bytes);
    }
    ASSERT_EQ(Burn("stdio:" + root / "b.iso", 0), BurnEnd::Written);
    DiscDigests digests;
    bool cancelled = false;
    ASSERT_TRUE(burner->ReadBack("stdio:" + root / "b.iso", digests, {}, cancelled, detail))
        << detail;
    ASSERT_EQ(digests.size(), files.size());
    for (const auto& [path, bytes] : files) {
        EXPECT_EQ(digests[path], Sha256Of(bytes)) << path;
    }
}

TEST_F(BurnerTest, WriteErrorAndCancelNeverReportAWrittenDisc) {
    // Large enough that the burn is still going when it is first watched.
    root.WriteFile("disc/@dummy@/big", test::PatternBytes(96 << 20));
    // /dev/full takes every write with ENOSPC, and says so.
    std::string detail;
    EXPECT_EQ(burner->Burn("stdio:/dev/full", root / "disc", 0, {}, blocks, detail),
              BurnEnd::WriteFailed);
    EXPECT_NE(detail.find(std::strerror(ENOSPC)), std::string::npos) << detail;
    // The next burn right after a failed one is burnt whole, not refused unseen.
    ASSERT_EQ(Burn("stdio:" + root / "whole.iso", 0), BurnEnd::Written);
    EXPECT_EQ(static_cast<std::int64_t>(stdfs::file_size(root / "whole.iso")),
              blocks * kDiscBlockBytes);

    BurnEnd why = BurnEnd::Written;
    EXPECT_EQ(burner->BlankBlocks("/dev/arbolink-no-such-drive", why, detail), -1);
    EXPECT_EQ(why, BurnEnd::CannotBurn);
    EXPECT_EQ(Burn("/dev/arbolink-no-such-drive", 0), BurnEnd::CannotBurn);

    int watched = 0;
    EXPECT_EQ(Burn("stdio:" + root / "c.iso", 0,
                   [&](const BurnStatus& status) {
                       EXPECT_GT(status.bytesTotal, 96 << 20);
                       EXPECT_LT(status.bytesDone, status.bytesTotal);
                       ++watched;
                       return false;
                   }),
              BurnEnd::Cancelled);
    EXPECT_EQ(watched, 1);
    // The part of the image written is thrown away with the spoiled disc.
    EXPECT_FALSE(stdfs::exists(root / "c.iso"));
}

} // namespace
} // namespace arbolink
