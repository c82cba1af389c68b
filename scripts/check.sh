#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the plain build, then
# the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short run of each fuzzer from its seed corpus.
#   scripts/check.sh           all three
#   scripts/check.sh --plain   the plain build's suite only
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VORTANA_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
ctest --test-dir "$build" --output-on-failure -j2
[ "${1:-}" != --plain ] || exit 0
echo "== the test suite under the sanitizers"
"$root/scripts/sanitize.sh"
echo "== the fuzzers"
"$root/scripts/fuzz.sh" "${VORTANA_FUZZ_SECONDS:-60}"
