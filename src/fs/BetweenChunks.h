// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a long copy or read of one file calls between its chunks, so that the user interface
// can run and a gauge can follow the bytes.

#include <cstdint>
#include <functional>

namespace arbolink {

// Told the bytes of the file done so far; answers false to stop.
using BetweenChunks = std::function<bool(std::int64_t bytesDone)>;

} // namespace arbolink
