// SPDX-License-Identifier: GPL-3.0-or-later
// SHA-256 through Windows CNG (bcrypt.dll), with a reusable hash object so that Finish can
// start over without opening the algorithm again.
#include "fs/Sha256.h"

#include <stdexcept>
#include <windows.h>
// bcrypt.h takes its types from windows.h.
#include <bcrypt.h>

namespace arbolink {

struct Sha256::State {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
};

namespace {

bool Succeeded(NTSTATUS status) {
    return status >= 0;
}

} // namespace

Sha256::Sha256() : state_(std::make_unique<State>()) {
    if (!Succeeded(BCryptOpenAlgorithmProvider(&state_->algorithm, BCRYPT_SHA256_ALGORITHM, nullptr,
                                               BCRYPT_HASH_REUSABLE_FLAG))) {
        throw std::runtime_error("SHA-256 is not available");
    }
    if (!Succeeded(BCryptCreateHash(state_->algorithm, &state_->hash, nullptr, 0, nullptr, 0,
                                    BCRYPT_HASH_REUSABLE_FLAG))) {
        BCryptCloseAlgorithmProvider(state_->algorithm, 0);
        throw std::runtime_error("SHA-256 is not available");
    }
}

Sha256::~Sha256() {
    BCryptDestroyHash(state_->hash);
    BCryptCloseAlgorithmProvider(state_->algorithm, 0);
}

void Sha256::Update(const void* data, std::size_t size) {
    // The call takes at most a ULONG of bytes at a time.
    auto* bytes = static_cast<PUCHAR>(const_cast<void*>(data));
    while (size > 0) {
        const ULONG part = size > 0x40000000u ? 0x40000000u : static_cast<ULONG>(size);
        BCryptHashData(state_->hash, bytes, part, 0);
        bytes += part;
        size -= part;
    }
}

Sha256Digest Sha256::Finish() {
    Sha256Digest digest{};
    BCryptFinishHash(state_->hash, digest.data(), static_cast<ULONG>(digest.size()), 0);
    return digest;
}

} // namespace arbolink
