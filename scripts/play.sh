#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VORTANA_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

# The machine's record directory belongs to the installed game, which makes
# it: a build-tree run uses it only where it stands and the player may write
# it (root, the games group; their files stay the group's, 0664), and
# otherwise keeps its record beside the build.
records=$(grep -E '^VORTANA_RECORD_DIR:' "$build/CMakeCache.txt" | cut -d= -f2-)
if [ -z "${VORTANA_RECORD_DIR:-}" ]; then
  if ! { [ -d "$records" ] && [ -w "$records" ]; }; then
    export VORTANA_RECORD_DIR="$build/records"
    echo "Il record di questa prova sta in $VORTANA_RECORD_DIR"
  fi
fi
exec "$build/bin/vortana"
