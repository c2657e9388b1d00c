// SPDX-License-Identifier: GPL-3.0-or-later
// The copy's content check: the digest it gives is the SHA-256 of the file for every size,
// hashed in place for a small file and on the hasher's thread for a large one, across chunk
// boundaries, and an expected digest that does not match leaves no file at the target's name.
#include "fs/Copy.h"
#include "fs/Sha256.h"
#include "support/PatternBytes.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace arbolink {
namespace {

using test::PatternBytes;
using test::TempFolder;

constexpr std::size_t kMiB = std::size_t{1} << 20;

TEST(CopyCheck, DigestsEveryByteAndRefusesOtherContentWithoutATrace) {
    TempFolder folder;
    for (std::size_t size :
         {std::size_t{0}, std::size_t{1}, kMiB - 1, 4 * kMiB, 8 * kMiB, 17 * kMiB + 12345}) {
        SCOPED_TRACE(size);
        const std::string bytes = PatternBytes(size);
        folder.WriteFile("in.bin", bytes);
        Sha256Digest digest{};
        ContentCheck taken;
        taken.digest = &digest;
        ASSERT_EQ(
            CopyFileTo(folder / "in.bin", folder / "out.bin", {}, -1, SourceLinks::Refuse, taken)
                .result,
            CopyResult::Copied);
        EXPECT_EQ(digest, Sha256Of(bytes));
        EXPECT_EQ(folder.ReadFile("out.bin"), bytes);

        ContentCheck matching;
        matching.expected = &digest;
        EXPECT_EQ(CopyFileBelow(folder / "in.bin", folder.path(), "again.bin", {},
                                SourceLinks::Refuse, {}, matching)
                      .result,
                  CopyResult::Copied);

        Sha256Digest other = digest;
        other[31] ^= 1;
        ContentCheck mismatching;
        mismatching.expected = &other;
        EXPECT_EQ(CopyFileBelow(folder / "in.bin", folder.path(), "refused.bin", {},
                                SourceLinks::Refuse, {}, mismatching)
                      .result,
                  CopyResult::ContentMismatch);
        EXPECT_FALSE(std::filesystem::exists(folder / "refused.bin"));
        std::size_t entries = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator(folder.path())) {
            ++entries;
        }
        EXPECT_EQ(entries, 3u) << "a temporary file was left behind";
        std::filesystem::remove(folder / "again.bin");
    }
}

} // namespace
} // namespace arbolink
