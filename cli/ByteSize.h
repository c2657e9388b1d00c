// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sizes of disks as people write them: "1440K", "4.7G", "25G", "650MiB", "1474560".

#include <cstdint>
#include <optional>
#include <string_view>

namespace arbolink::cli {

// A whole number or a decimal fraction, then an optional unit: K, M, G, T are powers of
// 1000, as media are labelled (a "4.7G" DVD holds 4 700 000 000 bytes and a little more);
// Ki, Mi, Gi, Ti are powers of 1024. A final "B" is allowed ("KB", "MiB"); letters may be
// small. A fraction of a byte is dropped, so a size never grows beyond what was written.
// nullopt for anything else, zero, and sizes beyond 2^63 - 1 bytes.
std::optional<std::int64_t> ParseByteSize(std::string_view text);

} // namespace arbolink::cli
