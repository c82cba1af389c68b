#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ (or $VORTANA_FUZZ_BUILD_DIR)
# and runs each for a bounded time from its seed corpus in fuzz/corpus/.
#   scripts/fuzz.sh               every target, 60 s each
#   scripts/fuzz.sh 3600 fuzz_record_file
# New inputs go to build-fuzz/corpus/<target>/, crashes to build-fuzz/artifacts/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VORTANA_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_record_file fuzz_record_number fuzz_character_file fuzz_speech_text)
fi

CXX=${CXX_FUZZ:-clang++} CC=${CC_FUZZ:-clang} cmake -S "$root" -B "$build" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DVORTANA_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
  >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

# A whole character file is 43 KB; the other inputs are short.
max_len() {
  case "$1" in
    fuzz_character_file) echo 65536 ;;
    *) echo 4096 ;;
  esac
}

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p "$build/artifacts"
for target in "${targets[@]}"; do
  work="$build/corpus/$target"
  mkdir -p "$work"
  dict=()
  if [ -f "$root/fuzz/$target.dict" ]; then
    dict=(-dict="$root/fuzz/$target.dict")
  fi
  log="$build/$target.log"
  echo "== $target, $seconds s"
  if ! "$build/bin/$target" "$work" "$root/fuzz/corpus/$target" "${dict[@]}" \
      -max_total_time="$seconds" -max_len="$(max_len "$target")" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1 >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "$target failed; the input is in $build/artifacts/" >&2
    exit 1
  fi
  grep -E "^stat::(number_of_executed_units|new_units_added)" "$log"
done
