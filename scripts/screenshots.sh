#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the manual's pictures under Xvfb: the main window, and the progress dialog in its two
# layouts during a divide of a small sample folder.
#   scripts/screenshots.sh [OUTPUT_FOLDER]     (default: build/screenshots)
# docs/manual/main-window.png is the main-window picture of this script.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=${1:-$root/build/screenshots}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target arbolink-screenshot
xvfb-run -a -s "-screen 0 1024x768x24" "$root/build/tools/screenshot/arbolink-screenshot" "$output"
