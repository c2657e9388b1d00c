// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a file written a moment ago back from its medium, to find a bad medium while the
// source is still at hand. What the system keeps cached of the file is dropped (or bypassed)
// first, so that the bytes come from the disk and not from memory.

#include "fs/BetweenChunks.h"
#include "fs/Sha256.h"

#include <cstddef>
#include <functional>
#include <string>

namespace arbolink {

// Takes every byte a read-back reads, in order, while it reads it: the parity of recovery
// disks is built from the same reads, so that no file is read twice.
using ReadBackSink = std::function<void(const char* bytes, std::size_t size)>;

// The SHA-256 of the file as its medium holds it. False, error set to an errno value, when it
// cannot be opened or read; a link or anything but a regular file is refused (EINVAL). A sink
// given sees the bytes read. betweenChunks runs after every read, told the bytes read so far;
// when it answers false the reading stops there, false with ECANCELED.
bool ReadBackDigest(const std::string& path, Sha256Digest& digest, int& error,
                    const ReadBackSink& sink = {}, const BetweenChunks& betweenChunks = {});

} // namespace arbolink
