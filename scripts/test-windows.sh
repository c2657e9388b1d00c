#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds core, fs, the command-line tool and their tests for Windows with MinGW-w64 into
# build-win/ and runs the tests under Wine: all of them in one program, as Wine takes seconds
# to start each process. Wine's drive A: is a removable drive on a scratch folder there, so
# that the tests of removable disks and drive roots run on a real drive letter.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-win"

packages=(g++-mingw-w64-x86-64-posix wine wine64 googletest cmake ninja-build)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# No optimisation: the cross-build is for running the tests, and compiles much faster so.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE= -DARBOLINK_GUI=OFF -DARBOLINK_WERROR=ON >/dev/null
cmake --build "$build" --target arbolink_tests arbolink-cli

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

ctest --test-dir "$build" --output-on-failure

# The command-line tool under Wine. It takes its arguments in UTF-16, so names outside the ANSI
# code page reach it whole.
cli() { wine "$build/cli/arbolink-cli.exe" "$@"; }
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

# Disks of 7 KB hold one of the two larger files each, beside the set and checksum files. The
# question before the disks are written is answered through a pipe, the restore reads the disks
# in the other order.
divide=$(printf 'o\n' | cli divide "$(windows_path "$source_folder")" \
    --disk-folders "$(windows_path "$check/disks")" --capacity 7K --cluster-size 512 2>&1) ||
    fail "divide failed: $divide"
[ -d "$check/disks/disk02/@dummy@" ] || fail "divide wrote no second disk: $divide"
restored="$check/戻し 한"
restore=$(cli restore --from "$(windows_path "$check/disks/disk02")" \
    --from "$(windows_path "$check/disks/disk01")" --yes "$(windows_path "$restored")" 2>&1) ||
    fail "restore failed: $restore"
diff -r "$source_folder" "$restored" >/dev/null || fail "the restored tree differs: $restore"
echo "arbolink-cli under Wine: a folder named outside the ANSI code page planned, divided into disk folders and restored"
wineserver -k || true
