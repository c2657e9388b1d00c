// SPDX-License-Identifier: GPL-3.0-or-later
// The split run writing its disks into folders side by side.
#include "core/DiskSupplier.h"
#include "core/Formatted.h"
#include "core/SetFormat.h"
#include "core/divide/DivideMessages.h"
#include "core/divide/SplitCommand.h"
#include "core/rFile/SetReader.h"
#include "core/wFile/WriteMessages.h"
#include "fs/Folders.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::ScriptedHost;
using test::TempFolder;

// The folders named, in order; "" past the end.
class ListedFolders : public DiskSupplier {
public:
    explicit ListedFolders(std::vector<std::string> folders) : folders_(std::move(folders)) {}
    std::string Folder(std::int32_t n) override {
        ++asked;
        return n >= 1 && static_cast<std::size_t>(n) <= folders_.size()
                   ? AddBackslash(folders_[static_cast<std::size_t>(n) - 1])
                   : std::string();
    }
    int asked = 0;

private:
    std::vector<std::string> folders_;
};

std::string PrepareDisks(int count) {
    return Formatted(msg::kPrepareDisks, count);
}

class SplitIntoFoldersTest : public ::testing::Test {
protected:
    SplitIntoFoldersTest() {
        // Three files of four clusters each, on disks of ten clusters (one for the index, counted
        // twice, and one each for the identity, the map and the checksum list): one file a disk.
        source.WriteFile("a", std::string(2000, 'a'));
        source.WriteFile("sub/b", std::string(2000, 'b'));
        source.WriteFile("sub/c", std::string(2000, 'c'));
        fields.source = source.path();
        fields.destination = staging.path();
    }

    void Divide(ListedFolders& disks) {
        host.fields = fields;
        RunDivide(session, host, fields, 512, 10, false, &disks);
    }

    Session session;
    ScriptedHost host;
    TempFolder source;
    TempFolder staging;
    MainFields fields;
};

TEST_F(SplitIntoFoldersTest, WritesEveryDiskIntoItsFolderWithoutAskingForIt) {
    ListedFolders disks({staging / "one", staging / "two", staging / "three"});
    host.Answer(Button::Ok, PrepareDisks(3));
    Divide(disks);
    EXPECT_EQ(host.DialogTexts(), (std::vector<std::string>{PrepareDisks(3), msg::kCopyFinished}));
    EXPECT_EQ(disks.asked, 3);

    std::string setId;
    std::string index;
    int files = 0;
    for (int n = 1; n <= 3; ++n) {
        const std::string folder = disks.Folder(n);
        ScriptedHost reader;
        std::optional<DiskIdentity> identity = ReadIdentity(folder, reader);
        ASSERT_TRUE(identity) << folder;
        EXPECT_EQ(identity->disk, n);
        EXPECT_EQ(identity->diskCount, 3);
        setId = n == 1 ? identity->setId : setId;
        EXPECT_EQ(identity->setId, setId);
        const std::string thisIndex =
            staging.ReadFile(stdfs::relative(folder + kIndexFileName, staging.path()).string());
        index = n == 1 ? thisIndex : index;
        EXPECT_EQ(thisIndex, index);
        for (const char* name : {"a", "b", "c"}) {
            files += stdfs::exists(folder + name) ? 1 : 0;
        }
    }
    EXPECT_EQ(files, 3); // each file on exactly one disk
    EXPECT_EQ(session.values.DestRoot, AddBackslash(staging / "three"));
    // The copy named every file it was about to copy, and the read-back every file it was
    // about to read.
    std::vector<std::string> named;
    for (const auto& record : host.progress) {
        named.insert(named.end(), record->files.begin(), record->files.end());
    }
    std::sort(named.begin(), named.end());
    EXPECT_EQ(named,
              (std::vector<std::string>{source / "a", source / "a", source / "sub/b",
                                        source / "sub/b", source / "sub/c", source / "sub/c"}));
}

TEST_F(SplitIntoFoldersTest, AFolderThatHoldsASetAlreadyIsRefusedLikeAUsedDisk) {
    staging.WriteFile("two/" + std::string(kIdentityFileName), IdentityLine("old", 1, 1));
    ListedFolders disks({staging / "one", staging / "two", staging / "three"});
    host.Answer(Button::Ok, PrepareDisks(3));
    host.Answer(Button::Abort, msg::kSwapDisk);
    Divide(disks);
    EXPECT_EQ(host.UnusedAnswers(), 0u);
    EXPECT_TRUE(stdfs::exists(staging / ("one/" + std::string(kIdentityFileName))));
    EXPECT_FALSE(stdfs::exists(staging / ("two/" + std::string(kIndexFileName))));
    EXPECT_FALSE(stdfs::exists(staging / "three"));
    // Abort ends the run without a closing message.
    EXPECT_EQ(host.DialogTexts().back(), msg::kSwapDisk);
}

} // namespace
} // namespace arbolink
