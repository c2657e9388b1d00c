// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A loop over many items whose calls wait on the system (one stat per file of a folder), shared
// with a second thread kept for the purpose, so that a machine's second processor takes part.

#include <cstddef>
#include <functional>

namespace arbolink {

// Calls work(begin, end) over consecutive ranges that together cover [0, count) once each,
// from the caller's thread and from the helper thread at once, and returns when every range
// is done. work must be safe to call from two threads on different ranges, and must not
// share a loop of its own: the caller already holds the helper. Fewer than
// minimum items, a machine of one processor, or a helper busy with another caller's loop:
// the caller does it all.
void ShareLoop(std::size_t count, std::size_t minimum,
               const std::function<void(std::size_t, std::size_t)>& work);

} // namespace arbolink
