// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts about following a drive's media across swaps, each in exactly one place.

namespace arbolink::msg {

// The medium a run took for the disk asked for: its label, or where it is mounted.
inline constexpr const char* kUsingLabelledMedium = "ラベル %s のディスクを使います";
inline constexpr const char* kUsingMediumAt = "%s のディスクを使います";

// A written disk that could not be ejected: the reason, then what the user does.
inline constexpr const char* kEjectFailed =
    "書き終えたディスクを取り出せませんでした。\n\n%s\n\n手で取り外してください";

} // namespace arbolink::msg
