// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SHA-256 of a stream of bytes, from the platform's own cryptographic library: OpenSSL's
// libcrypto on Linux, CNG on Windows. Both use the processor's SHA instructions where it has
// them, which makes the hash about as fast as copying the bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace arbolink {

using Sha256Digest = std::array<std::uint8_t, 32>;

class Sha256 {
public:
    // Throws std::runtime_error when the library gives no hash object (it never does unless
    // it is broken or out of memory).
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Update(const void* data, std::size_t size);
    // The digest of every byte given since the start or the last Finish; starts over.
    Sha256Digest Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The digest of the bytes, in one call.
Sha256Digest Sha256Of(std::string_view bytes);

// The 64 lower-case hexadecimal digits sha256sum writes.
std::string HexDigest(const Sha256Digest& digest);

// The digest from 64 hexadecimal digits of either case; nothing for any other text.
std::optional<Sha256Digest> ParseHexDigest(std::string_view text);

} // namespace arbolink
