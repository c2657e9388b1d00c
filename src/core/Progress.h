// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Gauge arithmetic shared by every operation behind a progress dialog.

#include <cstdint>

namespace arbolink {

// Items between two gauge updates: total div 100, at least 1.
inline std::int64_t ProgressStepFor(std::int64_t total) {
    return total >= 100 ? total / 100 : 1;
}

// done / total * 100 brought to the nearest whole number, a value exactly halfway going to
// the even neighbour. 0 when total is not positive.
inline int GaugePercent(std::int64_t done, std::int64_t total) {
    if (total <= 0) {
        return 0;
    }
    std::int64_t scaled = done * 100;
    std::int64_t quotient = scaled / total;
    std::int64_t twiceRemainder = (scaled % total) * 2;
    if (twiceRemainder > total || (twiceRemainder == total && quotient % 2 != 0)) {
        ++quotient;
    }
    return static_cast<int>(quotient);
}

} // namespace arbolink
