// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Reed–Solomon erasure code of recovery disks, over ISA-L's GF(2^8) routines.
//
// A set of N data streams gets K parity streams. The code's matrix has N + K rows of N
// coefficients: the first N rows are the identity (data stream i is itself), row N + j is
// parity stream j, made by gf_gen_cauchy1_matrix (the element at row r, column c is the
// inverse of r XOR c in GF(2^8) with the polynomial x^8 + x^4 + x^3 + x^2 + 1). Any N of the
// N + K rows make an invertible matrix, so any N streams give back all the others.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace arbolink {

// Data and parity streams together: the Cauchy matrix needs N + K distinct field elements.
inline constexpr int kMaxSetStreams = 256;
// Recovery disks a divide makes at most.
inline constexpr int kMaxRecoveryDisks = 8;

// Whether a set of dataCount data disks can have parityCount recovery disks.
bool RecoveryFits(int dataCount, int parityCount);

// The bytes of each stream taken at once: a stripe. Smaller for sets of many disks, so that
// a decode holding one stripe of every stream stays within 32 MiB.
std::int64_t StripeSizeFor(int dataCount, int parityCount);

// Adds data streams, one at a time and a piece at a time, into the parity streams.
class ParityEncoder {
public:
    // RecoveryFits(dataCount, parityCount) must hold.
    ParityEncoder(int dataCount, int parityCount);

    // Adds bytes [0, length) of data stream dataIndex (from 0), at the position the parity
    // buffers stand for, into each of the parityCount parity buffers.
    void Add(int dataIndex, const std::uint8_t* data, std::size_t length,
             std::uint8_t* const* parity) const;

private:
    int dataCount_;
    int parityCount_;
    std::vector<std::uint8_t> tables_;
};

// Makes one stream of a set from N others.
class StreamDecoder {
public:
    // sources: N distinct stream numbers (0 to N - 1 data, N to N + K - 1 parity), in the
    // order their bytes will be handed to Make; target: the stream to make. Nothing when the
    // numbers are out of range, repeated or too few.
    static std::optional<StreamDecoder> For(int dataCount, int parityCount,
                                            const std::vector<int>& sources, int target);

    // Writes length bytes of the target stream into out from the same length of each source.
    void Make(const std::uint8_t* const* sources, std::size_t length, std::uint8_t* out) const;

private:
    StreamDecoder(int dataCount, std::vector<std::uint8_t> tables)
        : dataCount_(dataCount), tables_(std::move(tables)) {}

    int dataCount_;
    std::vector<std::uint8_t> tables_;
};

// Makes lost data streams from what parity streams hold once the known data streams' shares
// are added into them (exclusive or): as many such parity streams as streams lost.
class LossDecoder {
public:
    // lost: distinct data streams (0 to N - 1); parity: as many distinct parity streams (0 to
    // K - 1), in the order their bytes will be handed to Make. Nothing when out of range.
    static std::optional<LossDecoder> For(int dataCount, int parityCount,
                                          const std::vector<int>& lost,
                                          const std::vector<int>& parity);

    // Writes length bytes of each lost stream into outs, in lost's order.
    void Make(const std::uint8_t* const* parity, std::size_t length,
              std::uint8_t* const* outs) const;

private:
    LossDecoder(int count, std::vector<std::uint8_t> tables)
        : count_(count), tables_(std::move(tables)) {}

    int count_;
    std::vector<std::uint8_t> tables_;
};

} // namespace arbolink
