#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds the whole project into build/ with warnings as errors and the
# benchmarks: Release with debug info, or, with ARBOLINK_BUILD_FLAGS=debian (as CI does), the
# way a Debian package is built: build type None and the flags of dpkg-buildflags.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
options=(-DARBOLINK_WERROR=ON -DARBOLINK_BENCHMARKS=ON)
launcher=$(command -v ccache || true)
[ -z "$launcher" ] || options+=(-DCMAKE_CXX_COMPILER_LAUNCHER="$launcher")
if [ "${ARBOLINK_BUILD_FLAGS:-}" = debian ]; then
    # The same variables dpkg-buildflags --export=cmdline gives, for the folder we build in.
    cd "$root"
    CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
    LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
    export CXXFLAGS LDFLAGS
    options+=(-DCMAKE_BUILD_TYPE=None)
else
    options+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
cmake -S "$root" -B "$root/build" -G Ninja "${options[@]}" >/dev/null
cmake --build "$root/build"
