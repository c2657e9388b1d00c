// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recovery/RecoveryDisks.h"
#include "fs/Folders.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace arbolink {
namespace {

// A piece read back is compared byte for byte with its range of the working file: a piece
// that differs anywhere, or is shorter or longer, is told apart from one that is the same.
TEST(RecoveryPiece, AReadBackPieceMatchesOnlyItsOwnRangeOfTheParity) {
    test::TempFolder folder;
    int error = 0;
    std::unique_ptr<WorkFile> parity = WorkFile::Create(AddBackslash(folder.path()), error);
    ASSERT_TRUE(parity) << error;
    // More than a chunk of the comparison, so that a difference in the second one shows.
    std::string bytes(std::size_t{5} << 20, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 131 + i / 7);
    }
    ASSERT_TRUE(parity->WriteAt(bytes.data(), bytes.size(), 0));
    const std::int64_t offset = 1000;
    const std::string piece = bytes.substr(offset, (std::size_t{4} << 20) + 77);
    const auto size = static_cast<std::int64_t>(piece.size());
    const auto keepGoing = [] { return true; };
    auto check = [&](const std::string& contents) {
        folder.WriteFile("piece", contents);
        return ComparePiece(*parity, offset, size, folder / "piece", keepGoing, error);
    };

    EXPECT_EQ(check(piece), PieceCheck::Same);
    std::string late = piece;
    late[late.size() - 3] ^= 1;
    EXPECT_EQ(check(late), PieceCheck::Differs);
    EXPECT_EQ(check(piece.substr(0, piece.size() - 1)), PieceCheck::Differs);
    EXPECT_EQ(check(piece + "x"), PieceCheck::Differs);
    EXPECT_EQ(check(bytes.substr(0, piece.size())), PieceCheck::Differs) << "another range";

    folder.WriteFile("piece", piece);
    EXPECT_EQ(ComparePiece(
                  *parity, offset, size, folder / "piece", [] { return false; }, error),
              PieceCheck::Cancelled);
    std::filesystem::remove(folder / "piece");
    EXPECT_EQ(ComparePiece(*parity, offset, size, folder / "piece", keepGoing, error),
              PieceCheck::Failed);
    EXPECT_EQ(error, ENOENT);
}

// A recovery disk's only piece, staged on the working files' file system, is the working file
// given its name; a part of the file, or a working file that once had a name, is copied. No
// way leaves a file in the cache folder or under a temporary name beside the piece.
TEST(RecoveryPiece, AWholeWorkingFileBecomesThePieceAndAPartIsCopied) {
    test::TempFolder folder;
    folder.MakeFolder("cache");
    folder.MakeFolder("disk");
    const std::string cache = AddBackslash(folder / "cache");
    const std::string bytes(std::size_t{3} << 20, 'p');
    const auto whole = static_cast<std::int64_t>(bytes.size());
    const auto keepGoing = [] { return true; };
    int error = 0;
    std::unique_ptr<WorkFile> unnamed = WorkFile::CreateUnnamed(cache, error);
    std::unique_ptr<WorkFile> named = WorkFile::Create(cache, error);
    ASSERT_TRUE(unnamed && named && named->RemoveName()) << error;
    ASSERT_TRUE(unnamed->WriteAt(bytes.data(), bytes.size(), 0));
    ASSERT_TRUE(named->WriteAt(bytes.data(), bytes.size(), 0));
    EXPECT_TRUE(std::filesystem::is_empty(folder / "cache"));

    const std::string linked = folder / "disk/linked.par";
    folder.WriteFile("disk/linked.par", "an earlier try");
    ASSERT_EQ(CopyPiece(*unnamed, 0, whole, linked, keepGoing, error), PieceCopy::Copied) << error;
    EXPECT_EQ(folder.ReadFile("disk/linked.par"), bytes);
    // The piece is the working file itself: a change of the one shows in the other, and the
    // read-back has nothing to compare: it is Same before a chunk is read, where a Cancel
    // would be asked for. Another file is compared all the same.
    ASSERT_TRUE(unnamed->WriteAt("q", 1, 0));
    EXPECT_EQ(folder.ReadFile("disk/linked.par")[0], 'q');
    EXPECT_EQ(ComparePiece(
                  *unnamed, 0, whole, linked, [] { return false; }, error),
              PieceCheck::Same);
    EXPECT_EQ(ComparePiece(*named, 0, whole, linked, keepGoing, error), PieceCheck::Differs);

    ASSERT_EQ(CopyPiece(*unnamed, 5, whole - 5, folder / "disk/part.par", keepGoing, error),
              PieceCopy::Copied);
    ASSERT_EQ(CopyPiece(*named, 0, whole, folder / "disk/copied.par", keepGoing, error),
              PieceCopy::Copied);
    ASSERT_TRUE(unnamed->WriteAt("r", 1, 10));
    ASSERT_TRUE(named->WriteAt("r", 1, 10));
    EXPECT_EQ(folder.ReadFile("disk/part.par"), bytes.substr(5));
    EXPECT_EQ(folder.ReadFile("disk/copied.par"), bytes);
    EXPECT_TRUE(std::filesystem::is_empty(folder / "cache"));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder / "disk")) {
        names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"copied.par", "linked.par", "part.par"}));
}

} // namespace
} // namespace arbolink
