#!/usr/bin/env bash
# Builds and runs the native benchmark of the road from a status reply to
# the status object (optimised, no sanitizers).
# Arguments go to bench_status (iteration count).
#   BUILD_DIR  build folder (default build-native in the repository)
#   JOBS       build jobs (default 2)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build-native}"
jobs="${JOBS:-2}"

cmake -S "$root/native" -B "$build" -G Ninja >/dev/null
nice -n 10 cmake --build "$build" -j "$jobs" --target bench_status
"$build/bench_status" "$@"
