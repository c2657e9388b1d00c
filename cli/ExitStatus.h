// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exit status of arbolink-cli.

namespace arbolink::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;   // the command failed or did not carry every file
inline constexpr int kExitUsage = 2;     // the command line is wrong
inline constexpr int kExitCancelled = 3; // Ctrl+C, or the user's answer ended the command

} // namespace arbolink::cli
