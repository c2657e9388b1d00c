// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recovery/ErasureCode.h"

#include <algorithm>
#include <isa-l/erasure_code.h>

namespace arbolink {

namespace {

// ISA-L's tables take 32 bytes per coefficient.
constexpr std::size_t kTableBytes = 32;
constexpr std::int64_t kLargestStripe = std::int64_t{1} << 20;
constexpr std::int64_t kStripeRoom = std::int64_t{32} << 20;
constexpr std::int64_t kStripeStep = std::int64_t{64} << 10;

std::vector<std::uint8_t> CodeMatrix(int dataCount, int parityCount) {
    std::vector<std::uint8_t> matrix(
        static_cast<std::size_t>((dataCount + parityCount) * dataCount));
    gf_gen_cauchy1_matrix(matrix.data(), dataCount + parityCount, dataCount);
    return matrix;
}

std::vector<std::uint8_t> Tables(int dataCount, int rows, std::uint8_t* coefficients) {
    std::vector<std::uint8_t> tables(kTableBytes * static_cast<std::size_t>(dataCount * rows));
    ec_init_tables(dataCount, rows, coefficients, tables.data());
    return tables;
}

} // namespace

bool RecoveryFits(int dataCount, int parityCount) {
    return dataCount >= 1 && parityCount >= 1 && parityCount <= kMaxRecoveryDisks &&
           dataCount + parityCount <= kMaxSetStreams;
}

std::int64_t StripeSizeFor(int dataCount, int parityCount) {
    const std::int64_t streams = std::max(1, dataCount + parityCount);
    const std::int64_t fitting = kStripeRoom / streams / kStripeStep * kStripeStep;
    return std::clamp(fitting, kStripeStep, kLargestStripe);
}

ParityEncoder::ParityEncoder(int dataCount, int parityCount)
    : dataCount_(dataCount), parityCount_(parityCount) {
    std::vector<std::uint8_t> matrix = CodeMatrix(dataCount, parityCount);
    tables_ = Tables(dataCount, parityCount, matrix.data() + dataCount * dataCount);
}

void ParityEncoder::Add(int dataIndex, const std::uint8_t* data, std::size_t length,
                        std::uint8_t* const* parity) const {
    // ISA-L's prototypes are not const-correct; it writes neither the tables nor the data.
    ec_encode_data_update(static_cast<int>(length), dataCount_, parityCount_, dataIndex,
                          const_cast<std::uint8_t*>(tables_.data()),
                          const_cast<std::uint8_t*>(data), const_cast<std::uint8_t**>(parity));
}

std::optional<StreamDecoder> StreamDecoder::For(int dataCount, int parityCount,
                                                const std::vector<int>& sources, int target) {
    const int streams = dataCount + parityCount;
    if (!RecoveryFits(dataCount, parityCount) || static_cast<int>(sources.size()) != dataCount ||
        target < 0 || target >= streams) {
        return std::nullopt;
    }
    std::vector<bool> seen(static_cast<std::size_t>(streams), false);
    for (int s : sources) {
        if (s < 0 || s >= streams || seen[static_cast<std::size_t>(s)]) {
            return std::nullopt;
        }
        seen[static_cast<std::size_t>(s)] = true;
    }
    const std::vector<std::uint8_t> matrix = CodeMatrix(dataCount, parityCount);
    const auto n = static_cast<std::size_t>(dataCount);
    // The rows of the sources, inverted, turn the sources back into the data streams; the
    // target's row times that inverse makes the target from the sources.
    std::vector<std::uint8_t> rows(n * n);
    for (std::size_t i = 0; i < n; ++i) {
        std::copy_n(matrix.begin() + static_cast<std::ptrdiff_t>(sources[i] * dataCount), n,
                    rows.begin() + static_cast<std::ptrdiff_t>(i * n));
    }
    std::vector<std::uint8_t> inverse(n * n);
    if (gf_invert_matrix(rows.data(), inverse.data(), dataCount) != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> coefficients(n, 0);
    const std::uint8_t* targetRow = matrix.data() + target * dataCount;
    for (std::size_t c = 0; c < n; ++c) {
        std::uint8_t sum = 0;
        for (std::size_t d = 0; d < n; ++d) {
            sum ^= gf_mul(targetRow[d], inverse[d * n + c]);
        }
        coefficients[c] = sum;
    }
    return StreamDecoder(dataCount, Tables(dataCount, 1, coefficients.data()));
}

void StreamDecoder::Make(const std::uint8_t* const* sources, std::size_t length,
                         std::uint8_t* out) const {
    std::uint8_t* outs[] = {out};
    ec_encode_data(static_cast<int>(length), dataCount_, 1,
                   const_cast<std::uint8_t*>(tables_.data()), const_cast<std::uint8_t**>(sources),
                   outs);
}

std::optional<LossDecoder> LossDecoder::For(int dataCount, int parityCount,
                                            const std::vector<int>& lost,
                                            const std::vector<int>& parity) {
    const auto e = lost.size();
    const auto inRange = [](const std::vector<int>& streams, int count) {
        std::vector<bool> seen(static_cast<std::size_t>(count), false);
        for (int s : streams) {
            if (s < 0 || s >= count || seen[static_cast<std::size_t>(s)]) {
                return false;
            }
            seen[static_cast<std::size_t>(s)] = true;
        }
        return true;
    };
    if (!RecoveryFits(dataCount, parityCount) || e == 0 || parity.size() != e ||
        !inRange(lost, dataCount) || !inRange(parity, parityCount)) {
        return std::nullopt;
    }
    // Parity row j restricted to the lost columns maps the lost bytes onto what parity j
    // holds: inverted, it maps them back. Any square part of a Cauchy matrix is invertible.
    const std::vector<std::uint8_t> matrix = CodeMatrix(dataCount, parityCount);
    std::vector<std::uint8_t> rows(e * e);
    for (std::size_t i = 0; i < e; ++i) {
        for (std::size_t k = 0; k < e; ++k) {
            rows[i * e + k] =
                matrix[static_cast<std::size_t>((dataCount + parity[i]) * dataCount + lost[k])];
        }
    }
    std::vector<std::uint8_t> inverse(e * e);
    if (gf_invert_matrix(rows.data(), inverse.data(), static_cast<int>(e)) != 0) {
        return std::nullopt;
    }
    const int count = static_cast<int>(e);
    return LossDecoder(count, Tables(count, count, inverse.data()));
}

void LossDecoder::Make(const std::uint8_t* const* parity, std::size_t length,
                       std::uint8_t* const* outs) const {
    ec_encode_data(static_cast<int>(length), count_, count_,
                   const_cast<std::uint8_t*>(tables_.data()), const_cast<std::uint8_t**>(parity),
                   const_cast<std::uint8_t**>(outs));
}

} // namespace arbolink
