// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recovery/RecoveryDisks.h"
#include "fs/Folders.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

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

} // namespace
} // namespace arbolink
