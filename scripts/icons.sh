#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the PNG icons of data/icons/ from the SVG icon, one per size the desktop's icon themes
# look for. Run it after changing the SVG, and commit the PNGs with it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
icons="$root/data/icons"
command -v rsvg-convert >/dev/null || {
    echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2
    exit 1
}
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$icons/io.github.arbolink.Arbolink.svg" \
        -o "$icons/io.github.arbolink.Arbolink-$size.png"
done
