// SPDX-License-Identifier: GPL-3.0-or-later
// The platform-neutral half of SHA-256: the hexadecimal form of a digest.
#include "fs/Sha256.h"

#include "fs/Encoding.h"

namespace arbolink {

Sha256Digest Sha256Of(std::string_view bytes) {
    Sha256 hash;
    hash.Update(bytes.data(), bytes.size());
    return hash.Finish();
}

std::string HexDigest(const Sha256Digest& digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(digest.size() * 2);
    for (std::uint8_t byte : digest) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

std::optional<Sha256Digest> ParseHexDigest(std::string_view text) {
    Sha256Digest digest{};
    if (text.size() != digest.size() * 2) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < digest.size(); ++i) {
        const int high = HexDigitValue(text[2 * i]);
        const int low = HexDigitValue(text[2 * i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        digest[i] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return digest;
}

} // namespace arbolink
