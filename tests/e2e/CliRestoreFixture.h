// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A set staged from one source tree by arbolink-cli's divide into disk folders, for the tests
// that restore it.

#include "CliRun.h"
#include "core/Formatted.h"
#include "core/rFile/RestoreMessages.h"
#include "support/DiskSetFixture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink::test {

inline const std::string kSwap2 = Formatted(msg::kSwapDiskLeft, 2);
inline const std::string kSwap1 = Formatted(msg::kSwapDiskLeft, 1);

class CliRestoreTest : public ::testing::Test {
protected:
    CliRestoreTest() {
        // Four files of 37 clusters on disks of 78: two disks, then a third for the rest.
        for (unsigned i = 1; i <= 4; ++i) {
            root().WriteFile("src/アルバム " + std::to_string(i) + "/写真.jpg",
                             Contents(18'500, i));
        }
        root().WriteFile("src/readme", "read me");
        root().WriteFile("src/深い/フォルダー/の/中.txt", Contents(3000, 9));
    }

    const TempFolder& root() const { return set.root; }

    // A staged divide of src into the staging folder name; answers the exit status.
    int Stage(const std::string& name) {
        CliResult run = RunCliWith({"divide", root() / "src", "--disk-folders", root() / name,
                                    "--capacity", "41984", "--cluster-size", "512", "--yes"});
        EXPECT_EQ(run.code, 0) << run.err;
        return run.code;
    }

    std::string Disk(const std::string& stage, int n) const {
        return root() / (stage + "/disk0" + std::to_string(n));
    }

    std::vector<std::string> From(const std::vector<std::string>& disks) const {
        std::vector<std::string> args{"restore"};
        for (const std::string& disk : disks) {
            args.insert(args.end(), {"--from", disk});
        }
        args.push_back(root() / "out");
        return args;
    }

    DiskSetFixture set;
};

} // namespace arbolink::test
