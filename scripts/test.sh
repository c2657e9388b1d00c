#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and runs every test: the format and licence-line checks, the unit, GUI and
# end-to-end tests, the same core and file-system tests cross-built for Windows and run under
# Wine, then a short fuzzing run of the set-file readers built with clang.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Every package at once, the Windows tests' included: one fetch of the lists, one install.
"$root/scripts/setup.sh" --windows
"$root/scripts/check-format.sh"
"$root/scripts/check-spdx.sh"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)"
"$root/scripts/test-windows.sh"
"$root/scripts/fuzz.sh" 20
