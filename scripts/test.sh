#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and runs every test: the format and licence-line checks, the unit, GUI and
# end-to-end tests, a short fuzzing run of the set-file readers built with clang, then the same
# core and file-system tests and the window cross-built for Windows and run under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Every package at once, the Windows tests' included: one fetch of the lists, one install.
"$root/scripts/setup.sh" --windows

# The Windows Qt takes longer than anything else here and needs nothing of the native build.
# On a machine without it, it is built at the lowest priority beside the native build and its
# tests, so that it takes only the processor time they leave (their configure steps and
# links, the tests' waits, the one-core fuzzing), and is waited for before the Windows tests.
qt_log="$root/build-win/windows-qt.log"
qt_group=
if [ "${ARBOLINK_WINDOWS_GUI:-1}" != 0 ]; then
    mkdir -p "$root/build-win"
    # setsid: the build is a process group of its own, stopped whole if this script fails. A
    # session of its own is also a scheduling group of its own where the kernel groups by
    # session (autogroup), and such a group shares the processors equally with this one
    # whatever its processes' nice value: the group's own nice value is lowered too.
    setsid bash -c 'echo 19 >/proc/self/autogroup 2>/dev/null || true; exec nice -n 19 "$0"' \
        "$root/scripts/windows-qt.sh" >"$qt_log" 2>&1 </dev/null &
    qt_group=$!
    trap '[ -z "$qt_group" ] || kill -- -"$qt_group" 2>/dev/null || true' EXIT
fi

"$root/scripts/check-format.sh"
"$root/scripts/check-spdx.sh"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)"
"$root/scripts/fuzz.sh" 20

if [ -n "$qt_group" ]; then
    echo "waiting for the Windows Qt (log: $qt_log)"
    status=0
    wait "$qt_group" || status=$?
    qt_group=
    if [ "$status" -ne 0 ]; then
        tail -n 50 "$qt_log" >&2
        echo "test: the Windows Qt was not built (exit $status)" >&2
        exit 1
    fi
    tail -n 1 "$qt_log"
fi
"$root/scripts/test-windows.sh"
