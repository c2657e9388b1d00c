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
# The Windows icon: an ICO file holding the PNGs themselves (16 to 256 pixels), which Windows
# Vista and later and Wine read.
python3 - "$icons" <<'PY'
import struct, sys
folder = sys.argv[1]
sizes = [16, 24, 32, 48, 64, 128, 256]
images = [open(f"{folder}/io.github.arbolink.Arbolink-{s}.png", "rb").read() for s in sizes]
header = struct.pack("<HHH", 0, 1, len(images))
offset = len(header) + 16 * len(images)
entries = b""
for size, png in zip(sizes, images):
    side = 0 if size == 256 else size  # 0 stands for 256
    entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(png), offset)
    offset += len(png)
with open(f"{folder}/io.github.arbolink.Arbolink.ico", "wb") as out:
    out.write(header + entries + b"".join(images))
PY
