// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every phase of the split planning works with: the planning values, the Host and the
// progress dialog that stays up for all stages.

#include "core/Host.h"
#include "core/Phrase.h"
#include "core/PlanningValues.h"

namespace arbolink {

struct PlanningRun {
    PlanningValues& values;
    Host& host;
    ProgressDialog& dialog;

    // Lets pending messages run; a Cancel pressed meanwhile sets RunStatus to cancelled.
    // Answers true when the phase should stop.
    bool Poll() {
        host.ProcessMessages();
        if (dialog.CancelRequested()) {
            values.RunStatus = kCancelled;
        }
        return values.RunStatus >= 0;
    }

    // Starts a stage: gauge to 0, the stage text, and a repaint.
    void BeginStage(const Phrase& text) {
        dialog.SetGauge(0);
        dialog.SetStage(text);
        dialog.Repaint();
    }
};

} // namespace arbolink
