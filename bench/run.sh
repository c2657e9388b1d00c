#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs every benchmark; results also go to bench/results/<name>.json.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" >/dev/null
mkdir -p "$root/bench/results"
for program in "$root"/build/bench/bench_*; do
    [ -x "$program" ] || continue
    name=$(basename "$program")
    "$program" --benchmark_out="$root/bench/results/$name.json" --benchmark_out_format=json
done
