// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts about following a drive's media across swaps, each in exactly one place.

#include "core/Phrase.h"

namespace arbolink::msg {

// The medium a run took for the disk asked for: its label, or where it is mounted.
ARBOLINK_PHRASE(kUsingLabelledMedium, "ラベル %1 のディスクを使います",
                "Using the disk labelled %1");
ARBOLINK_PHRASE(kUsingMediumAt, "%1 のディスクを使います", "Using the disk at %1");

// A written disk that could not be ejected: the reason, then what the user does.
ARBOLINK_PHRASE(kEjectFailed,
                "書き終えたディスクを取り出せませんでした。\n\n%1\n\n手で取り外してください",
                "The written disk could not be ejected.\n\n%1\n\nPlease remove it by hand");

} // namespace arbolink::msg
