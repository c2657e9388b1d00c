#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds core, fs, the command-line tool and their tests for Windows with MinGW-w64 and
# runs the tests under Wine: all of them in one program, as Wine takes seconds to start each
# process. Wine's drive A: is a removable drive on a scratch folder in build-win/, so that the
# tests of removable disks and drive roots run on a real drive letter.
# Then the window: built in the same tree, build-win/gui/, against the static Windows Qt of
# scripts/windows-qt.sh, its Qt Test programs run under Wine on an Xvfb display, and the main
# window's picture is taken under Wine into build-win/gui/main-window.png. That Qt is built
# once, when missing (README.md gives its time); ARBOLINK_WINDOWS_GUI=0 leaves the Qt and the
# window out and builds the tests and the tool alone into build-win/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-win"

# shellcheck source=scripts/packages.sh
source "$root/scripts/packages.sh"
install_missing "${windows_packages[@]}"

window=${ARBOLINK_WINDOWS_GUI:-1}
# No optimisation: the cross-build is for running the tests, and compiles much faster so.
# With the window, everything is built in one tree against the Windows Qt, so that the
# libraries, the tool and GoogleTest are compiled once for both parts.
if [ "$window" != 0 ]; then
    "$root/scripts/windows-qt.sh"
    tree="$build/gui"
    cmake -S "$root" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE= -DARBOLINK_WERROR=ON \
        -DCMAKE_TOOLCHAIN_FILE="$build/qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
    # Not the whole tree: the GoogleTest program and the tool, and of the window the program,
    # the picture tool and the window's Qt Test programs.
    window_tests=()
    for source in "$root"/tests/*/*_qtest_win32.cpp; do
        window_tests+=("$(basename "$source" .cpp)")
    done
    cmake --build "$tree" --target arbolink_tests arbolink-cli arbolink arbolink-screenshot \
        "${window_tests[@]}"
else
    tree="$build"
    cmake -S "$root" -B "$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE= -DARBOLINK_GUI=OFF -DARBOLINK_WERROR=ON >/dev/null
    cmake --build "$tree" --target arbolink_tests arbolink-cli
fi

# A Wine prefix of the build's own, without the prompts to install .NET and a browser engine.
export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
floppy="$build/wine-floppy"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init >/dev/null 2>&1
fi
mkdir -p "$floppy"
touch "$floppy/arbolink-scratch-disk"
ln -sfn "$floppy" "$WINEPREFIX/dosdevices/a:"
wine reg add 'HKLM\Software\Wine\Drives' /v 'a:' /t REG_SZ /d floppy /f >/dev/null 2>&1
# The drive's kind is read when Wine's services start: let them start again.
wineserver -w

# The GoogleTest program; the window's tests need the display, below.
ctest --test-dir "$tree" --output-on-failure -L windows

# The command-line tool under Wine. It takes its arguments in UTF-16, so names outside the ANSI
# code page reach it whole.
cli() { wine "$tree/cli/arbolink-cli.exe" "$@"; }
windows_path() { winepath -w "$1" 2>/dev/null; }
fail() {
    echo "arbolink-cli under Wine: $1" >&2
    exit 1
}

help=$(cli --help) || fail "--help did not exit 0"
grep -q 'restore --from' <<<"$help" || fail "--help does not show the commands: $help"

check="$build/cli-check"
rm -rf "$check"
source_folder="$check/分割 한글"
mkdir -p "$source_folder/写真" "$check/disks"
head -c 3000 /dev/zero | tr '\0' 'x' >"$source_folder/表 😀.txt"
head -c 3000 /dev/zero | tr '\0' 'y' >"$source_folder/写真/표.jpg"
printf 'z' >"$source_folder/a.txt"

plan=$(cli plan "$(windows_path "$source_folder")" --cluster-size 512 --free-bytes 100000 2>&1)
grep -q $'\t表 😀.txt\t' <<<"$plan" || fail "plan did not list the file: $plan"

# Disks of 8 KB hold one of the two larger files each beside the set files. The question
# before the disks are written is answered through a pipe, the restore reads the disks in
# the other order.
divide=$(printf 'o\n' | cli divide "$(windows_path "$source_folder")" \
    --disk-folders "$(windows_path "$check/disks")" --capacity 8K --cluster-size 512 2>&1) ||
    fail "divide failed: $divide"
[ -d "$check/disks/disk02/@dummy@" ] || fail "divide wrote no second disk: $divide"
restored="$check/戻し 한"
restore=$(cli restore --from "$(windows_path "$check/disks/disk02")" \
    --from "$(windows_path "$check/disks/disk01")" --yes "$(windows_path "$restored")" 2>&1) ||
    fail "restore failed: $restore"
diff -r "$source_folder" "$restored" >/dev/null || fail "the restored tree differs: $restore"
echo "arbolink-cli under Wine: a folder named outside the ANSI code page planned, divided into disk folders and restored"

# Names that only letter case or Unicode normalisation tells apart, made on the Linux side:
# restored onto Wine's file system, which folds case, each file comes back under its own
# name or a free one the closing message gives, nothing is written over, and the exit status
# is 1.
clash="$check/clash"
mkdir -p "$clash/Docs" "$clash/docs"
printf 'capital A' >"$clash/A.txt"
printf 'small a' >"$clash/a.txt"
printf 'report of Docs' >"$clash/Docs/report.txt"
printf 'report of docs' >"$clash/docs/report.txt"
printf 'composed' >"$clash/caf"$'\xc3\xa9'".txt"
printf 'decomposed' >"$clash/cafe"$'\xcc\x81'".txt"
contents_of() { find "$1" -type f -exec sh -c 'cat "$1"; echo' _ {} \; | sort; }
cli divide "$(windows_path "$clash")" --disk-folders "$(windows_path "$check/clash-disks")" \
    --capacity 1M --cluster-size 512 --yes >/dev/null 2>&1 || fail "divide of the clashing names failed"
mkdir -p "$check/clash-out"
status=0
restore=$(cli restore --from "$(windows_path "$check/clash-disks/disk01")" \
    "$(windows_path "$check/clash-out")" 2>&1) || status=$?
[ "$status" -eq 1 ] || fail "a restore that renamed files ended with status $status: $restore"
grep -q 'A.txt → A (2).txt\|a.txt → a (2).txt' <<<"$restore" || fail "the renamed file is not named: $restore"
[ "$(contents_of "$clash")" = "$(contents_of "$check/clash-out")" ] ||
    fail "not every file came back once: $(find "$check/clash-out" -type f)"
echo "arbolink-cli under Wine: names that meet on a case-folding file system all restored, the renamed named, status 1"

# A set with a recovery disk, which only the native tool writes: its data disks restore here,
# the recovery disk among the folders given is no data disk to the restore, and with a data
# disk missing the restore fails, naming what it lacks.
native_cli="$root/build/cli/arbolink-cli"
if [ -x "$native_cli" ]; then
    recovered="$check/recovery"
    mkdir -p "$recovered/source/sub"
    for n in 1 2 3 4; do head -c 3000 /dev/zero | tr '\0' "$n" >"$recovered/source/sub/$n.bin"; done
    "$native_cli" divide "$recovered/source" --disk-folders "$recovered/set" --capacity 12K \
        --cluster-size 512 --recovery-disks 1 --yes >/dev/null 2>&1 </dev/null ||
        fail "the native divide with a recovery disk failed"
    disks=("$recovered"/set/disk*)
    [ "${#disks[@]}" -ge 3 ] || fail "the native divide wrote ${#disks[@]} disks"
    from=()
    for disk in "${disks[@]}"; do from+=(--from "$(windows_path "$disk")"); done
    restore=$(cli restore "${from[@]}" --yes "$(windows_path "$recovered/out")" 2>&1) ||
        fail "the data disks of a set with a recovery disk did not restore: $restore"
    diff -r "$recovered/source" "$recovered/out" >/dev/null ||
        fail "the set with a recovery disk restored otherwise: $restore"
    status=0
    restore=$(cli restore --from "$(windows_path "${disks[0]}")" \
        --from "$(windows_path "${disks[-1]}")" --yes "$(windows_path "$recovered/out-short")" 2>&1) ||
        status=$?
    [ "$status" -eq 1 ] && grep -q 'sub\\' <<<"$restore" ||
        fail "a restore without a data disk ended with $status: $restore"
    echo "arbolink-cli under Wine: a set with a recovery disk restored; without a data disk, status 1"
else
    echo "arbolink-cli under Wine: no native build/cli/arbolink-cli for a set with a recovery disk"
fi

if [ "$window" != 0 ]; then
    # The Japanese faces where Windows keeps its fonts: Wine finds them there as Windows would.
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    cp -u /usr/share/fonts/opentype/ipafont-gothic/*.ttf /usr/share/fonts/opentype/ipafont-mincho/*.ttf "$fonts/"
    gui="$tree"
    # One X display for every Windows program here: Wine's services that draw the windows
    # start on the display of the first program and stay until wineserver ends. Those of the
    # runs above have none, and must be gone before the window's first program starts.
    wineserver -k || true
    wineserver -w
    # Xvfb writes its display's number once it takes connections.
    rm -f "$build/xvfb-display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$build/xvfb-display" 2>/dev/null &
    xvfb=$!
    trap 'kill "$xvfb" 2>/dev/null || true' EXIT
    for _ in $(seq 100); do
        [ -s "$build/xvfb-display" ] && break
        sleep 0.1
    done
    [ -s "$build/xvfb-display" ] || fail "Xvfb did not start"
    # Every Wine process from here on sees the display, winepath's included.
    export DISPLAY=":$(cat "$build/xvfb-display")"
    # Qt Test writes to the debugger's output where the process has no Windows console, as
    # under Wine: its log goes to a file instead.
    for name in "${window_tests[@]}"; do
        program="$gui/tests/$name.exe"
        log="$gui/$name.txt"
        rm -f "$log"
        status=0
        wine "$program" -o "$(windows_path "$log"),txt" || status=$?
        grep -v '^QCRITICAL: .*\(EnableNonClientDpiScaling\|fromWinHICON\)' "$log" || true
        [ "$status" -eq 0 ] || fail "$name failed under Wine (status $status)"
    done
    version=$(wine "$gui/app/arbolink.exe" --version | tr -d '\r') ||
        fail "arbolink.exe --version did not exit 0"
    grep -q '^Arbolink Ver\. ' <<<"$version" || fail "arbolink.exe --version said: $version"
    rm -rf "$gui/pictures"
    wine "$gui/tools/screenshot/arbolink-screenshot.exe" "$(windows_path "$gui/pictures")" >/dev/null ||
        fail "no picture of the window under Wine"
    cp "$gui/pictures/main-window.png" "$gui/main-window.png"
    echo "arbolink.exe under Wine: the window's tests passed, its picture is $gui/main-window.png"
fi
wineserver -k || true
