#!/usr/bin/env bash
# Builds the native fuzz targets and runs each for a bounded time from its
# seed corpus (native/corpus/<name>/). Exits non-zero when any target finds
# a crash, leak, sanitizer report or hang; the inputs stay in
# <build>/crashes/. New corpus entries collect in <build>/corpus/<name>/.
#   FUZZ_SECONDS  seconds per target (default 60)
#   BUILD_DIR     build folder (default build-native in the repository)
#   JOBS          build jobs (default 2)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build-native}"
seconds="${FUZZ_SECONDS:-60}"
jobs="${JOBS:-2}"

cmake -S "$root/native" -B "$build" -G Ninja >/dev/null
mapfile -t fuzzers < <(grep -v '^$' "$build/fuzzers.txt")
targets=("${fuzzers[@]/#/fuzz_}")
nice -n 10 cmake --build "$build" -j "$jobs" --target "${targets[@]}"

mkdir -p "$build/crashes"
status=0
for name in "${fuzzers[@]}"; do
  work="$build/corpus/$name"
  log="$build/fuzz_$name.log"
  mkdir -p "$work"
  args=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
        -artifact_prefix="$build/crashes/$name-")
  dict="$root/native/fuzz/fuzz_$name.dict"
  [ -f "$dict" ] && args+=(-dict="$dict")
  echo "fuzz: $name for ${seconds}s"
  if "$build/fuzz_$name" "${args[@]}" "$work" "$root/native/corpus/$name" 2>"$log"; then
    grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$log" || true
  else
    echo "fuzz: $name FAILED; log $log, inputs in $build/crashes/" >&2
    tail -n 40 "$log" >&2
    status=1
  fi
done
exit "$status"
