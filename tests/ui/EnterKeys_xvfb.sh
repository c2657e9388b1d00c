#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Enter in a folder field of the running program, pressed on a real X server: Xvfb with a
# window manager, and xdotool typing into the window. The keys take the road real key
# presses take (to the focus widget, the combo box), not a road a test picks for them.
#   EnterKeys_xvfb.sh PROGRAM WORK_FOLDER
# Exits 77 (skipped) when Xvfb, openbox, xdotool or xprop is missing.
set -u
program=$1
work=$2

for tool in Xvfb openbox xdotool xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

fail() {
    echo "FAIL: $*"
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
# The settings file lives in the configuration folder: one of the test's own keeps the user's
# clean.
export XDG_CONFIG_HOME="$work/config"

pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number. Without -noreset the server starts over
# each time its last client leaves, and a client that connects meanwhile is turned away: the
# probes below would race the window manager.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
xprop -root >/dev/null 2>&1 || fail "Xvfb at $DISPLAY does not answer: $(cat "$work/xvfb.log")"

# The window manager announces itself on the root window once it manages windows; a
# window mapped before that is taken over later, and keys typed meanwhile may go nowhere.
start_window_manager() {
    openbox --sm-disable >>"$work/openbox.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    return 1
}
start_window_manager || start_window_manager ||
    fail "openbox did not start: $(cat "$work/openbox.log") Xvfb: $(cat "$work/xvfb.log")"

# On the X server itself, whatever platform the other Qt tests are told to use.
QT_QPA_PLATFORM=xcb LANG=C.UTF-8 "$program" >"$work/arbolink.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")

# Waits up to the seconds given for a shown window whose title matches the pattern; answers
# its id. Each look is a search of its own: one long search can miss a window mapped while
# it runs.
await_window() {
    local end=$((SECONDS + $2)) id
    while [ "$SECONDS" -lt "$end" ]; do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.2
    done
}

# A loaded machine may take a while to start the program and map its window.
window=$(await_window '^Arbolink Ver' 60)
[ -n "$window" ] || fail "the main window did not appear"
xdotool windowactivate --sync "$window" || fail "cannot activate the main window"
sleep 0.5


missing="$work/made-by-enter"
existing="$work/already-there"
mkdir -p "$existing"

# The Divide button has the focus at start; four tabs reach the restore destination field.
xdotool key --delay 50 Tab Tab Tab Tab
xdotool type --delay 20 "$missing"
xdotool key Return
question=$(await_window '^確認$' 30)
[ -n "$question" ] || fail "Enter on a missing folder asked nothing"
# Keys go through the X server's input, as typed: the question has the focus.
xdotool windowactivate --sync "$question" 2>/dev/null
xdotool key y
for _ in $(seq 200); do
    [ -d "$missing" ] && break
    sleep 0.1
done
[ -d "$missing" ] || fail "Yes did not create $missing"

# An existing folder is filed without a question.
xdotool windowactivate --sync "$window"
xdotool key ctrl+a
xdotool type --delay 20 "$existing"
xdotool key Return
sleep 2
[ -z "$(xdotool search --onlyvisible --name '^確認$' 2>/dev/null)" ] ||
    fail "Enter on an existing folder asked a question"

# File > Exit saves the settings: the restore history holds the folder filed first.
xdotool key alt+f
sleep 0.3
xdotool key x
for _ in $(seq 300); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && fail "the program did not end on File > Exit"
settings="$XDG_CONFIG_HOME/arbolink/arbolink.ini"
grep -qx "dest=$existing" "$settings" || fail "the field's text was not saved: $(cat "$settings")"
grep '^history=' "$settings" | cut -d= -f2- | tr ',' '\n' | grep -qx "$missing" ||
    fail "Enter did not file $missing: $(cat "$settings")"
echo "PASS"
