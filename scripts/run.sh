#!/usr/bin/env bash
# Sets up, builds and starts the command-line tool with the arguments given, for example:
#   scripts/run.sh divide SOURCE --disk-folders DIR --capacity 4.7G
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" >/dev/null
exec "$root/build/cli/arbolink-cli" "$@"
