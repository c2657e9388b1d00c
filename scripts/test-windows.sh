#!/usr/bin/env bash
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
    -DCMAKE_BUILD_TYPE= -DARBOLINK_GUI=OFF -DARBOLINK_BENCH=OFF >/dev/null
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

# The command-line tool takes its arguments in UTF-16, so names outside the ANSI code page
# reach it whole.
source_folder="$build/cli-check/分割 한글"
mkdir -p "$source_folder"
printf 'x' >"$source_folder/表 😀.txt"
plan=$(wine "$build/cli/arbolink-cli.exe" plan "$(winepath -w "$source_folder")" \
    --cluster-size 512 --free-bytes 100000 2>&1)
if ! grep -q $'\t表 😀.txt\t' <<<"$plan"; then
    echo "arbolink-cli under Wine did not list the file: $plan" >&2
    exit 1
fi
echo "arbolink-cli under Wine: plan of a folder named outside the ANSI code page listed its file"
wineserver -k || true
