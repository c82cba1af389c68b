#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VORTANA_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

# The machine's record directory belongs to the installed game; a build-tree
# run by a user who may not write there keeps its record beside the build.
records=$(grep -E '^VORTANA_RECORD_DIR:' "$build/CMakeCache.txt" | cut -d= -f2-)
if [ -z "${VORTANA_RECORD_DIR:-}" ]; then
  if ! { [ -d "$records" ] && [ -w "$records" ]; } && ! { [ ! -e "$records" ] && [ -w "$(dirname "$records")" ]; }; then
    export VORTANA_RECORD_DIR="$build/records"
    echo "Il record di questa prova sta in $VORTANA_RECORD_DIR"
  fi
fi
exec "$build/bin/vortana"
