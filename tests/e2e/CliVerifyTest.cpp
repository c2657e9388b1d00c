// SPDX-License-Identifier: GPL-3.0-or-later
// arbolink-cli verify on a set staged from the command line: what it names for a sound set, a
// damaged or removed stored file, a disk not given and a set of the format before checksums;
// and the same check taking disk after disk from a drive.
#include "CliRestoreFixture.h"
#include "CliRun.h"
#include "core/CopyReasons.h"
#include "core/Formatted.h"
#include "core/SetFormat.h"
#include "core/rFile/CheckMessages.h"
#include "core/rFile/SetCheck.h"
#include "fs/Utf8Path.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace arbolink {
namespace {

namespace stdfs = std::filesystem;
using test::CliRestoreTest;
using test::CliResult;
using test::RunCliWith;
using test::ScriptedHost;

// The output's lines that begin with the word and a tab, without the word.
std::vector<std::string> Rows(const std::string& out, const std::string& word) {
    std::vector<std::string> rows;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(word + "\t")) {
            rows.push_back(line.substr(word.size() + 1));
        }
    }
    return rows;
}

class CliVerifyTest : public CliRestoreTest {
protected:
    void SetUp() override { ASSERT_EQ(Stage("stage"), 0); }

    static std::string SetRelative(int disk) {
        return "stage/disk0" + std::to_string(disk) + "/" + kDummyFolderName;
    }
    std::string SetFolder(int disk) const { return root() / SetRelative(disk); }

    // The stored files of a staged disk, by name.
    std::set<std::string> StoredOn(int disk) const {
        std::set<std::string> names;
        for (const auto& entry : stdfs::directory_iterator(PathOf(SetFolder(disk)))) {
            const std::string name = Utf8Of(entry.path().filename());
            if (entry.is_regular_file() && !IsSetFileName(name)) {
                names.insert(name);
            }
        }
        return names;
    }

    CliResult VerifyAll() {
        return RunCliWith({"verify", "--from", Disk("stage", 2), "--from", Disk("stage", 3),
                           "--from", Disk("stage", 1)});
    }
};

TEST_F(CliVerifyTest, ASoundSetVerifiesFileByFile) {
    CliResult run = VerifyAll();
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(Rows(run.out, "good").size(), 6u) << run.out;
    EXPECT_EQ(Rows(run.out, "disk").size(), 3u);
    for (const std::string& disk : Rows(run.out, "disk")) {
        EXPECT_TRUE(disk.ends_with("\tchecksums\tyes")) << disk;
    }
    EXPECT_TRUE(Rows(run.out, "damaged").empty());
    EXPECT_TRUE(run.out.ends_with("files-good\t6\nfiles-damaged\t0\nfiles-missing\t0\n"
                                  "files-unchecked\t0\nfiles-not-given\t0\nverified\tyes\n"))
        << run.out;
    EXPECT_NE(run.err.find(msg::kCheckAllGood), std::string::npos) << run.err;
}

TEST_F(CliVerifyTest, ADamagedFileIsNamedWithItsDisk) {
    // One byte flipped in a file of disk 2, and a file of disk 1 cut short.
    const std::string flipped = *StoredOn(2).begin();
    std::string bytes = root().ReadFile(SetRelative(2) + "/" + flipped);
    bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x01);
    root().WriteFile(SetRelative(2) + "/" + flipped, bytes);
    const std::string cut = *StoredOn(1).begin();
    stdfs::resize_file(PathOf(SetFolder(1) + "/" + cut), 100);

    CliResult run = VerifyAll();
    EXPECT_EQ(run.code, 1) << run.err;
    const std::vector<std::string> damaged = Rows(run.out, "damaged");
    ASSERT_EQ(damaged.size(), 2u) << run.out;
    EXPECT_TRUE(damaged[0].starts_with("2\t" + flipped + "\t")) << damaged[0];
    EXPECT_TRUE(damaged[0].ends_with(std::string("\t") + msg::kReasonContentMismatch));
    EXPECT_TRUE(damaged[1].starts_with("1\t" + cut + "\t")) << damaged[1];
    EXPECT_TRUE(damaged[1].ends_with(std::string("\t") + msg::kReasonSizeMismatch));
    EXPECT_EQ(Rows(run.out, "good").size(), 4u);
    EXPECT_EQ(Rows(run.out, "verified"), std::vector<std::string>{"no"});
    // The closing message names both among the damaged files, with their disks.
    const std::size_t list = run.err.find(Formatted(msg::kDamagedFiles, 2));
    ASSERT_NE(list, std::string::npos) << run.err;
    for (int disk : {1, 2}) {
        const std::string onDisk = Formatted(msg::kOnDisk, disk, "");
        EXPECT_NE(run.err.find("\n" + onDisk, list), std::string::npos) << onDisk;
    }
}

TEST_F(CliVerifyTest, ARemovedFileIsMissingWithItsDiskFromTheMap) {
    const std::string removed = *StoredOn(3).begin();
    stdfs::remove(PathOf(SetFolder(3) + "/" + removed));
    CliResult run = VerifyAll();
    EXPECT_EQ(run.code, 1) << run.err;
    const std::vector<std::string> missing = Rows(run.out, "missing");
    ASSERT_EQ(missing.size(), 1u) << run.out;
    EXPECT_TRUE(missing[0].starts_with("3\t" + removed + "\t")) << missing[0];
    EXPECT_TRUE(Rows(run.out, "damaged").empty());
    EXPECT_NE(run.err.find(Formatted(msg::kMissingFiles, 1)), std::string::npos) << run.err;
}

TEST_F(CliVerifyTest, ADiskNotGivenIsNamedWithTheFilesOnIt) {
    CliResult run = RunCliWith({"verify", "--from", Disk("stage", 3), "--from", Disk("stage", 1)});
    EXPECT_EQ(run.code, 1) << run.err;
    EXPECT_EQ(Rows(run.out, "disk-not-given"), std::vector<std::string>{"2"}) << run.out;
    std::set<std::string> listed;
    for (const std::string& row : Rows(run.out, "not-given")) {
        ASSERT_TRUE(row.starts_with("2\t")) << row;
        listed.insert(row.substr(2, row.find('\t', 2) - 2));
    }
    EXPECT_EQ(listed, StoredOn(2));
    EXPECT_TRUE(Rows(run.out, "damaged").empty());
    EXPECT_EQ(Rows(run.out, "good").size(), 6u - StoredOn(2).size());
    EXPECT_NE(run.err.find(Formatted(msg::kDisksNotGiven, 2)), std::string::npos) << run.err;
}

TEST_F(CliVerifyTest, ASetWithoutChecksumsIsNeverVerified) {
    for (int disk = 1; disk <= 3; ++disk) {
        stdfs::remove(PathOf(SetFolder(disk) + "/" + kSetMapName));
        stdfs::remove(PathOf(SetFolder(disk) + "/" + kChecksumListName));
    }
    CliResult run = VerifyAll();
    EXPECT_EQ(run.code, 1) << run.err;
    for (const std::string& disk : Rows(run.out, "disk")) {
        EXPECT_TRUE(disk.ends_with("\tchecksums\tno")) << disk;
    }
    EXPECT_EQ(Rows(run.out, "disk").size(), 3u);
    EXPECT_TRUE(Rows(run.out, "good").empty());
    EXPECT_EQ(Rows(run.out, "verified"), std::vector<std::string>{"no"});
    EXPECT_NE(run.err.find(msg::kNoChecksumsOnDisks), std::string::npos) << run.err;

    CliResult info = RunCliWith({"info", Disk("stage", 1)});
    EXPECT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find("\nchecksums\tno\nsound\tyes\n"), std::string::npos) << info.out;
}

TEST_F(CliVerifyTest, TheDriveFormAsksForDiskAfterDisk) {
    // Disks inserted 2, 3, 1 at the questions: every disk checked, then the closing message.
    const std::size_t onDisk1 = StoredOn(1).size();
    ScriptedHost host;
    set.UseFields(host);
    set.Insert("stage/disk02/" + std::string(kDummyFolderName));
    set.SwapAtQuestions(host, {"stage/disk03/" + std::string(kDummyFolderName),
                               "stage/disk01/" + std::string(kDummyFolderName)});
    host.Answer(Button::Yes, Formatted(msg::kCheckSwap, 2));
    host.Answer(Button::Yes, Formatted(msg::kCheckSwap, 1));
    Session session;
    const SetCheckReport report = Verify1Click(session, host);
    EXPECT_TRUE(report.Verified());
    EXPECT_EQ(host.DialogTexts().back(), msg::kCheckAllGood);
    EXPECT_EQ(host.UnusedAnswers(), 0u);
    EXPECT_EQ(host.progress.size(), 3u);
    EXPECT_TRUE(host.mainWindowEnabled);

    // From the command line, the user stops after the first disk: the others are named.
    CliResult run = RunCliWith({"verify", root() / "drive"}, "n\n");
    EXPECT_EQ(run.code, 1) << run.err;
    EXPECT_EQ(Rows(run.out, "disk-not-given"), (std::vector<std::string>{"2", "3"})) << run.out;
    EXPECT_EQ(Rows(run.out, "good").size(), onDisk1);
    EXPECT_EQ(Rows(run.out, "disk").size(), 1u);
}

} // namespace
} // namespace arbolink
