#!/usr/bin/env bash
# Sets up, builds and runs every test: the unit, GUI and end-to-end tests, then a short
# fuzzing run of the set-file readers built with clang.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)"
"$root/scripts/fuzz.sh" 20
