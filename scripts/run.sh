#!/usr/bin/env bash
# Sets up, builds and starts the program. Arguments go to the command-line planner:
#   scripts/run.sh plan SOURCE --cluster-size BYTES --free-bytes BYTES [--percent P]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" >/dev/null
exec "$root/build/cli/arbolink-cli" "$@"
