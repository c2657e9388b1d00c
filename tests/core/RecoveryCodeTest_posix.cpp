// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recovery/ErasureCode.h"
#include "core/recovery/ParityBuilder.h"
#include "fs/Folders.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace arbolink {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Streams of different lengths over several stripes, fed in pieces of odd sizes, so that a
// stripe boundary inside a piece or a short last stripe shows as wrong bytes.
std::vector<Bytes> RandomStreams(int count, std::int64_t stripe, std::mt19937& random) {
    std::vector<Bytes> streams;
    std::uniform_int_distribution<std::int64_t> length(0, 4 * stripe + stripe / 2);
    for (int i = 0; i < count; ++i) {
        Bytes stream(static_cast<std::size_t>(length(random)));
        for (auto& byte : stream) {
            byte = static_cast<std::uint8_t>(random());
        }
        streams.push_back(std::move(stream));
    }
    return streams;
}

Bytes ReadParity(WorkFile& file, std::int64_t length) {
    Bytes bytes(static_cast<std::size_t>(length));
    std::size_t got = 0;
    EXPECT_TRUE(file.ReadAt(bytes.data(), bytes.size(), 0, got));
    EXPECT_EQ(got, bytes.size());
    return bytes;
}

// Every stream made again from every choice of survivors after up to K losses.
void ExpectEveryLossRebuilt(int n, int k, const std::vector<Bytes>& streams) {
    const auto length = streams.front().size();
    for (int lost = 1; lost < (1 << (n + k)); ++lost) {
        if (__builtin_popcount(static_cast<unsigned>(lost)) > k) {
            continue;
        }
        std::vector<int> sources;
        std::vector<const std::uint8_t*> bytes;
        for (int s = 0; s < n + k && static_cast<int>(sources.size()) < n; ++s) {
            if ((lost & (1 << s)) == 0) {
                sources.push_back(s);
                bytes.push_back(streams[static_cast<std::size_t>(s)].data());
            }
        }
        for (int target = 0; target < n + k; ++target) {
            if ((lost & (1 << target)) == 0) {
                continue;
            }
            auto decoder = StreamDecoder::For(n, k, sources, target);
            ASSERT_TRUE(decoder) << "lost " << lost;
            Bytes made(length);
            decoder->Make(bytes.data(), length, made.data());
            ASSERT_EQ(made, streams[static_cast<std::size_t>(target)])
                << "lost " << lost << ", stream " << target;
        }
    }
}

// Every loss of up to K data streams made again from as many parity streams that are left,
// once the known data streams' shares are added into them, as a restore does place by place.
void ExpectEveryLossMadeFromWhatIsLeft(int n, int k, const std::vector<Bytes>& streams) {
    const auto length = streams.front().size();
    const ParityEncoder encoder(n, k);
    for (int lost = 1; lost < (1 << (n + k)); ++lost) {
        std::vector<int> lostData;
        std::vector<int> parity;
        for (int s = 0; s < n + k; ++s) {
            if (s < n && (lost & (1 << s)) != 0) {
                lostData.push_back(s);
            } else if (s >= n && (lost & (1 << s)) == 0) {
                parity.push_back(s - n);
            }
        }
        if (__builtin_popcount(static_cast<unsigned>(lost)) > k || lostData.empty()) {
            continue;
        }
        parity.resize(lostData.size());
        std::vector<Bytes> sums;
        for (int j : parity) {
            sums.push_back(streams[static_cast<std::size_t>(n + j)]);
        }
        std::vector<std::uint8_t*> into;
        for (Bytes& sum : sums) {
            into.push_back(sum.data());
        }
        // The encoder adds into every parity stream; only the ones chosen are kept here.
        std::vector<Bytes> all(static_cast<std::size_t>(k), Bytes(length));
        for (int i = 0; i < n; ++i) {
            if ((lost & (1 << i)) == 0) {
                std::vector<std::uint8_t*> each;
                for (Bytes& one : all) {
                    std::fill(one.begin(), one.end(), 0);
                    each.push_back(one.data());
                }
                encoder.Add(i, streams[static_cast<std::size_t>(i)].data(), length, each.data());
                for (std::size_t c = 0; c < parity.size(); ++c) {
                    for (std::size_t b = 0; b < length; ++b) {
                        sums[c][b] ^= all[static_cast<std::size_t>(parity[c])][b];
                    }
                }
            }
        }
        auto decoder = LossDecoder::For(n, k, lostData, parity);
        ASSERT_TRUE(decoder) << "lost " << lost;
        std::vector<Bytes> made(lostData.size(), Bytes(length));
        std::vector<const std::uint8_t*> in(into.begin(), into.end());
        std::vector<std::uint8_t*> out;
        for (Bytes& one : made) {
            out.push_back(one.data());
        }
        decoder->Make(in.data(), length, out.data());
        for (std::size_t l = 0; l < lostData.size(); ++l) {
            ASSERT_EQ(made[l], streams[static_cast<std::size_t>(lostData[l])])
                << "lost " << lost << ", stream " << lostData[l];
        }
    }
}

TEST(RecoveryCode, AnyKLostStreamsComeBackByteForByte) {
    test::TempFolder cache;
    const std::string folder = AddBackslash(cache / "cache");
    std::mt19937 random(17);
    const int n = 5;
    const int k = 3;
    int error = 0;
    auto builder = ParityBuilder::Create(folder, n, k, error);
    ASSERT_TRUE(builder) << error;
    std::vector<Bytes> streams = RandomStreams(n, builder->StripeSize(), random);
    // Small pieces are gathered, pieces of a stripe or more encoded where they lie: the two
    // take turns at random, so that either starts anywhere in a stripe or a page.
    const auto stripe = static_cast<std::size_t>(builder->StripeSize());
    std::uniform_int_distribution<std::size_t> small(1, 300000);
    std::uniform_int_distribution<std::size_t> large(stripe, 3 * stripe + 4097);
    auto piece = [&](std::mt19937& r) { return r() % 2 == 0 ? small(r) : large(r); };
    for (int i = 0; i < n; ++i) {
        const Bytes& stream = streams[static_cast<std::size_t>(i)];
        builder->BeginStream(i);
        for (std::size_t at = 0; at < stream.size();) {
            const std::size_t size = std::min(piece(random), stream.size() - at);
            ASSERT_TRUE(builder->Feed(stream.data() + at, size));
            at += size;
        }
        ASSERT_TRUE(builder->EndStream());
    }
    const std::int64_t length = builder->StreamLength();
    std::size_t longest = 0;
    for (const Bytes& stream : streams) {
        longest = std::max(longest, stream.size());
    }
    ASSERT_EQ(length, static_cast<std::int64_t>(longest));
    for (Bytes& stream : streams) {
        stream.resize(static_cast<std::size_t>(length), 0); // the zeros of the padding
    }
    for (int j = 0; j < k; ++j) {
        streams.push_back(ReadParity(builder->Parity(j), length));
    }
    // The working files have no name in the cache folder, even while the builder works: a
    // cancelled or killed divide leaves none behind.
    EXPECT_TRUE(std::filesystem::is_empty(cache / "cache"));
    ExpectEveryLossRebuilt(n, k, streams);
    ExpectEveryLossMadeFromWhatIsLeft(n, k, streams);
}

TEST(RecoveryCode, SetsBeyondTheCodeAndBadSourcesAreRefused) {
    EXPECT_TRUE(RecoveryFits(248, 8));
    EXPECT_FALSE(RecoveryFits(249, 8)); // 257 streams
    EXPECT_FALSE(RecoveryFits(3, kMaxRecoveryDisks + 1));
    EXPECT_FALSE(RecoveryFits(3, 0));
    EXPECT_FALSE(StreamDecoder::For(3, 2, {0, 0, 1}, 2)); // a source twice
    EXPECT_FALSE(StreamDecoder::For(3, 2, {0, 1}, 2));    // too few
    EXPECT_FALSE(StreamDecoder::For(3, 2, {0, 1, 2}, 5)); // no such stream
    // A decode of the largest set holds one stripe of each stream within 32 MiB.
    EXPECT_LE(StripeSizeFor(248, 8) * 256, std::int64_t{32} << 20);
    EXPECT_GT(StripeSizeFor(248, 8), 0);
}

} // namespace
} // namespace arbolink
