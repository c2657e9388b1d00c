#!/usr/bin/env bash
# Fails when a source file of the repository (C++, CMake, shell) does not carry the licence's
# SPDX line, "SPDX-License-Identifier: GPL-3.0-or-later", in its first five lines.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
missing=0
while IFS= read -r -d '' file; do
    if ! head -n 5 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later'; then
        echo "no SPDX licence line: $file" >&2
        missing=1
    fi
done < <(git ls-files -z '*.cpp' '*.h' '*.h.in' 'CMakeLists.txt' '*/CMakeLists.txt' \
    '*.cmake' '*.sh' '.ci/run')
exit "$missing"
