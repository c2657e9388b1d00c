#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and starts the program. The build shows its progress on standard error; the
# first one takes a few minutes.
#   scripts/run.sh            starts the Arbolink window
#   scripts/run.sh ARGS...    runs the command-line tool with ARGS, for example
#   scripts/run.sh divide SOURCE --disk-folders DIR --capacity 4.7G
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" >&2
if (($#)); then
    exec "$root/build/cli/arbolink-cli" "$@"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display: start Arbolink from a desktop session (DISPLAY or WAYLAND_DISPLAY)." >&2
    exit 1
fi
exec "$root/build/app/arbolink"
