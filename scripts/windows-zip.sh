#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows download: a Release cross-build of arbolink.exe (against the static Windows Qt of
# scripts/windows-qt.sh) and arbolink-cli.exe, zipped with the manual and the licence as
#   build-win/arbolink-<version>-windows-x64.zip
# and checked: the zip is unpacked elsewhere and both programs are run from there under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-win"
release="$build/release"

"$root/scripts/windows-qt.sh"
cmake -S "$root" -B "$release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DARBOLINK_WERROR=ON -DCMAKE_EXE_LINKER_FLAGS_RELEASE=-s \
    -DCMAKE_TOOLCHAIN_FILE="$build/qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$release" --target arbolink arbolink-cli

version=$(sed -n 's/^project(Arbolink VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name="arbolink-$version-windows-x64"
stage="$build/zip/$name"
rm -rf "$build/zip"
mkdir -p "$stage"
cp "$release/app/arbolink.exe" "$release/cli/arbolink-cli.exe" "$stage/"
cp -r "$release/app/manual" "$stage/manual"
# Windows opens a licence it can read with Notepad by its extension.
cp "$root/LICENSE" "$stage/LICENSE.txt"
zip="$build/$name.zip"
rm -f "$zip"
(cd "$build/zip" && cmake -E tar cf "$zip" --format=zip "$name")

# The check, on what a user unpacks.
check="$build/zip-check"
rm -rf "$check"
mkdir -p "$check"
(cd "$check" && cmake -E tar xf "$zip")
unpacked="$check/$name"
for f in arbolink.exe arbolink-cli.exe LICENSE.txt manual/index.html; do
    [ -f "$unpacked/$f" ] || {
        echo "the zip lacks $f" >&2
        exit 1
    }
done
export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
[ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1
# Only the system's DLLs: a static build needs nothing beside it.
for exe in arbolink.exe arbolink-cli.exe; do
    imports=$(x86_64-w64-mingw32-objdump -p "$unpacked/$exe" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z')
    if grep -qE '^(qt6|libgcc|libstdc|libwinpthread)' <<<"$imports"; then
        echo "$exe needs DLLs beside it: $imports" >&2
        exit 1
    fi
done
cli_help=$(wine "$unpacked/arbolink-cli.exe" --help | tr -d '\r')
grep -q 'restore --from' <<<"$cli_help" || {
    echo "arbolink-cli.exe --help from the zip said: $cli_help" >&2
    exit 1
}
gui_version=$(wine "$unpacked/arbolink.exe" --version | tr -d '\r')
grep -q "^Arbolink Ver\. $version" <<<"$gui_version" || {
    echo "arbolink.exe --version from the zip said: $gui_version" >&2
    exit 1
}
wineserver -k || true
echo "$zip ($(du -h "$zip" | cut -f1)): unpacked, arbolink.exe and arbolink-cli.exe ran under Wine"
