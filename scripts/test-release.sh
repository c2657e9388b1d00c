#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything as a user's plain Release build does (-O3) into build-release/, with
# warnings as errors so that a warning only the optimiser finds is caught here, and runs the
# tests there. It is built as a distributor would, naming a web page, a contact and a picture
# (addresses of the reserved example.org domain), so that the About box's and the metainfo's
# forms with them are tested too; the main build tests them without.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-release"
site=https://arbolink.example.org
options=(-DCMAKE_BUILD_TYPE=Release -DARBOLINK_WERROR=ON -DARBOLINK_HOMEPAGE="$site/"
    -DARBOLINK_CONTACT=team@arbolink.example.org -DARBOLINK_SCREENSHOT_URL="$site/main-window.png")
launcher=$(command -v ccache || true)
[ -z "$launcher" ] || options+=(-DCMAKE_CXX_COMPILER_LAUNCHER="$launcher")
cmake -S "$root" -B "$build" -G Ninja "${options[@]}" >/dev/null
cmake --build "$build"
appstreamcli validate --no-net --explain "$build/data/io.github.arbolink.Arbolink.metainfo.xml"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
