// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The gauge of a run that moves the bytes of many files: a copy, a restore, a check.

#include "core/Host.h"

#include <cstdint>

namespace arbolink {

// Shows the share of the run's bytes done, the file in hand counted by the bytes it has moved
// so far, so that a large file moves the gauge while it is copied. A run that has no bytes at
// all (only empty files) shows its share of files done instead, and a run with nothing to do
// shows 100. The percentage is rounded as GaugePercent does; it never passes 100 and never
// goes back, also when a file is tried again or the totals grow, except by Rewind.
class ByteGauge {
public:
    // What is done at one moment, for Rewind.
    struct Mark {
        std::int64_t bytes = 0;
        std::int64_t files = 0;
    };

    // The whole run's bytes and files; a run that learns of more calls it again. The gauge
    // shows the new share at its next change.
    void SetTotals(std::int64_t totalBytes, std::int64_t totalFiles);
    // Sets the dialog's gauge to the highest percentage reached so far, 0 at the start; later
    // changes go to the dialog passed with them.
    void Show(ProgressDialog& dialog);
    // The next file, of size bytes, is in hand; one still in hand is done.
    void Begin(std::int64_t size);
    // The file in hand has moved bytes so far; more than its size counts as its size.
    void Within(std::int64_t bytes, ProgressDialog& dialog);
    // The file in hand is done, whatever became of it: all of its size counts.
    void End(ProgressDialog& dialog);
    // The file in hand is left undone (not copied): its bytes never count, though what the
    // gauge showed of it stays.
    void Drop();
    Mark Done() const;
    // The run does the work since mark again: the gauge goes back to what it showed there.
    void Rewind(const Mark& mark, ProgressDialog& dialog);

private:
    int Computed() const;
    void Update(ProgressDialog& dialog);

    std::int64_t totalBytes_ = 0;
    std::int64_t totalFiles_ = 0;
    Mark done_;
    bool inHand_ = false;
    std::int64_t handSize_ = 0;
    std::int64_t handDone_ = 0;
    int shown_ = 0; // the highest percentage reached
    int sent_ = -1; // the percentage the dialog shows
};

} // namespace arbolink
