// SPDX-License-Identifier: GPL-3.0-or-later
// SHA-256 through OpenSSL's EVP interface, which picks the processor's SHA or vector
// instructions at run time.
#include "fs/Sha256.h"

#include <openssl/evp.h>
#include <stdexcept>

namespace arbolink {

struct Sha256::State {
    EVP_MD_CTX* context = nullptr;
};

namespace {

// Fetched once: EVP_sha256() looks the implementation up again at every start, which costs as
// much as hashing a few kilobytes, and a copy starts a hash for every file.
const EVP_MD* Algorithm() {
    static const EVP_MD* const algorithm = [] {
        const EVP_MD* fetched = EVP_MD_fetch(nullptr, "SHA256", nullptr);
        return fetched != nullptr ? fetched : EVP_sha256();
    }();
    return algorithm;
}

void Start(EVP_MD_CTX* context) {
    if (EVP_DigestInit_ex2(context, Algorithm(), nullptr) != 1) {
        throw std::runtime_error("SHA-256 is not available");
    }
}

} // namespace

Sha256::Sha256() : state_(std::make_unique<State>()) {
    state_->context = EVP_MD_CTX_new();
    if (state_->context == nullptr) {
        throw std::runtime_error("SHA-256 is not available");
    }
    try {
        Start(state_->context);
    } catch (...) {
        EVP_MD_CTX_free(state_->context);
        throw;
    }
}

Sha256::~Sha256() {
    EVP_MD_CTX_free(state_->context);
}

void Sha256::Update(const void* data, std::size_t size) {
    EVP_DigestUpdate(state_->context, data, size);
}

Sha256Digest Sha256::Finish() {
    Sha256Digest digest{};
    unsigned int length = 0;
    EVP_DigestFinal_ex(state_->context, digest.data(), &length);
    Start(state_->context);
    return digest;
}

} // namespace arbolink
