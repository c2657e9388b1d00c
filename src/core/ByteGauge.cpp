// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ByteGauge.h"

#include "core/Progress.h"

#include <algorithm>

namespace arbolink {

void ByteGauge::SetTotals(std::int64_t totalBytes, std::int64_t totalFiles) {
    totalBytes_ = std::max<std::int64_t>(totalBytes, 0);
    totalFiles_ = std::max<std::int64_t>(totalFiles, 0);
}

void ByteGauge::Show(ProgressDialog& dialog) {
    sent_ = shown_;
    dialog.SetGauge(shown_);
}

void ByteGauge::Begin(std::int64_t size) {
    if (inHand_) {
        done_.bytes += handSize_;
        ++done_.files;
    }
    inHand_ = true;
    handSize_ = std::max<std::int64_t>(size, 0);
    handDone_ = 0;
}

void ByteGauge::Within(std::int64_t bytes, ProgressDialog& dialog) {
    handDone_ = std::clamp<std::int64_t>(bytes, 0, handSize_);
    Update(dialog);
}

void ByteGauge::End(ProgressDialog& dialog) {
    if (inHand_) {
        done_.bytes += handSize_;
        ++done_.files;
        inHand_ = false;
    }
    Update(dialog);
}

void ByteGauge::Drop() {
    inHand_ = false;
}

ByteGauge::Mark ByteGauge::Done() const {
    return done_;
}

void ByteGauge::Rewind(const Mark& mark, ProgressDialog& dialog) {
    done_ = mark;
    inHand_ = false;
    shown_ = Computed();
    Update(dialog);
}

int ByteGauge::Computed() const {
    if (totalBytes_ > 0) {
        const std::int64_t bytes = done_.bytes + (inHand_ ? handDone_ : 0);
        return GaugePercent(std::min(bytes, totalBytes_), totalBytes_);
    }
    if (totalFiles_ > 0) {
        return GaugePercent(std::min(done_.files, totalFiles_), totalFiles_);
    }
    return 100;
}

void ByteGauge::Update(ProgressDialog& dialog) {
    shown_ = std::max(shown_, Computed());
    if (shown_ != sent_) {
        sent_ = shown_;
        dialog.SetGauge(shown_);
    }
}

} // namespace arbolink
