#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for N seconds (default 60).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DARBOLINK_FUZZ=ON -DARBOLINK_GUI=OFF -DARBOLINK_WERROR=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
    -DBUILD_TESTING=OFF >/dev/null
cmake --build "$root/build-fuzz" --target fuzz_all
for target in "$root"/build-fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    corpus="$root/build-fuzz/corpus/$(basename "$target")"
    mkdir -p "$corpus"
    echo "fuzzing $(basename "$target") for ${seconds}s"
    "$target" -max_total_time="$seconds" -max_len=4096 "$corpus" "$root/fuzz/seeds" 2>&1 | tail -n 3
done
