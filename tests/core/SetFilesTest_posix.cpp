// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SetFormat.h"
#include "core/rFile/SetReader.h"
#include "fs/Folders.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace arbolink {
namespace {

using test::ScriptedHost;
using test::TempFolder;

// A set file that is a link, a FIFO (which an ordinary open would wait on for ever) or a
// folder is never read: a format error naming it. Neither is an index larger than a restore
// takes.
TEST(SetFiles, SetFilesThatAreNoPlainFilesAreRefusedByName) {
    TempFolder disk;
    const std::string folder = AddBackslash(disk.path());
    ScriptedHost host;
    disk.WriteFile("real", IdentityLine("id", 1, 1));
    for (const char* name : {kIdentityFileName, kIndexFileName}) {
        const std::string path = disk / name;
        const std::vector<std::function<void()>> makers{
            [&] { std::filesystem::create_symlink(disk / "real", path); },
            [&] { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); },
            [&] { disk.MakeFolder(name); },
        };
        for (const auto& make : makers) {
            std::filesystem::remove_all(path);
            make();
            try {
                if (std::string(name) == kIdentityFileName) {
                    ReadIdentity(folder, host);
                } else {
                    ReadIndexBytes(folder, host);
                }
                ADD_FAILURE() << name << " was read";
            } catch (const SetFormatError& error) {
                EXPECT_STREQ(error.what(), SetFormatError::NotPlain(name).what());
                EXPECT_NE(std::string(error.what()).find(name), std::string::npos);
            }
        }
        std::filesystem::remove_all(path);
    }
    EXPECT_TRUE(host.dialogs.empty());

    // Rows are lines that hold something; beyond the limit the index is refused.
    EXPECT_EQ(CountIndexRows(""), 0);
    EXPECT_EQ(CountIndexRows("\r\n \r\n\"\"\r\nx"), 2);
    std::string lines;
    for (std::int64_t i = 0; i < kMaxIndexRows; ++i) {
        lines += "\n\"\"";
    }
    EXPECT_EQ(CountIndexRows(lines), kMaxIndexRows);
    EXPECT_THROW(CountIndexRows(lines + "\nx"), SetFormatError);
}

} // namespace
} // namespace arbolink
