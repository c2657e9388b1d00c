// SPDX-License-Identifier: GPL-3.0-or-later
// SHA-256 from the platform's library against the published test vectors, in one call, fed in
// odd pieces, and through the chunk hasher both in place and on its own thread; and the
// hexadecimal form both ways.
#include "fs/Sha256.h"

#include "fs/ChunkHasher.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace arbolink {
namespace {

// FIPS 180-2 vectors: "", "abc", the 448-bit message, and a million "a".
constexpr const char* kEmpty = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";
constexpr const char* kAbc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
constexpr const char* kLong = "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1";
constexpr const char* kMillion = "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0";

// Hashes bytes through a chunk hasher sized for them, a chunk at a time, as a copy does.
Sha256Digest ThroughHasher(const std::string& bytes) {
    ChunkHasher hasher(static_cast<std::int64_t>(bytes.size()));
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t part = std::min(bytes.size() - done, hasher.BufferBytes());
        char* buffer = hasher.NextBuffer();
        std::memcpy(buffer, bytes.data() + done, part);
        hasher.Hand(buffer, part);
        done += part;
    }
    return hasher.Finish();
}

TEST(Sha256, MatchesTheStandardVectorsHoweverTheBytesArrive) {
    EXPECT_EQ(HexDigest(Sha256Of("")), kEmpty);
    EXPECT_EQ(HexDigest(Sha256Of("abc")), kAbc);
    const std::string message = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
    EXPECT_EQ(HexDigest(Sha256Of(message)), kLong);

    const std::string million(1'000'000, 'a');
    Sha256 pieces;
    for (std::size_t done = 0; done < million.size(); done += 997) {
        pieces.Update(million.data() + done, std::min<std::size_t>(997, million.size() - done));
    }
    EXPECT_EQ(HexDigest(pieces.Finish()), kMillion);
    // Finish starts over.
    pieces.Update("abc", 3);
    EXPECT_EQ(HexDigest(pieces.Finish()), kAbc);

    // In place (a small file) and on the hasher's thread (a large one, many chunks, the last
    // one short): the same digest as one call.
    EXPECT_EQ(HexDigest(ThroughHasher(million)), kMillion);
    std::string large(9 * ChunkHasher::kBufferBytes + 12345, '\0');
    for (std::size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<char>(i * 131 + (i >> 20));
    }
    EXPECT_EQ(ThroughHasher(large), Sha256Of(large));
    EXPECT_EQ(HexDigest(ThroughHasher("")), kEmpty);
}

TEST(Sha256, HexFormReadsBackAndRefusesAnythingElse) {
    const Sha256Digest digest = Sha256Of("abc");
    EXPECT_EQ(ParseHexDigest(kAbc), digest);
    std::string upper = kAbc;
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(ParseHexDigest(upper), digest);
    EXPECT_FALSE(ParseHexDigest(std::string(kAbc).substr(1)));
    EXPECT_FALSE(ParseHexDigest(std::string(kAbc) + "0"));
    EXPECT_FALSE(ParseHexDigest(std::string(63, '0') + "g"));
    EXPECT_FALSE(ParseHexDigest(""));
}

} // namespace
} // namespace arbolink
