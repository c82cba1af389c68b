#!/usr/bin/env bash
# Builds the benchmarks in a release build (build-bench/, or $VORTANA_BENCH_DIR)
# and prints one table: each figure, its budget, and whether it holds. Exits
# non-zero when a budget is missed. Needs no display: it starts its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VORTANA_BENCH_DIR:-$root/build-bench}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVORTANA_BENCHMARKS=ON -DBUILD_TESTING=OFF >/dev/null
if ! cmake --build "$build" -j"$(nproc)" >"$build/build.log" 2>&1; then
  tail -n 40 "$build/build.log"
  exit 1
fi
exec python3 -B "$root/bench/harness/budget_table.py" "$build"
