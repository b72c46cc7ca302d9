#!/usr/bin/env bash
# Sets everything up, builds both targets (i686 is the shipping build and
# only compiles here; x86_64 runs) and runs every test under wine64, with a
# virtual X display for the windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
start=$(date +%s)
"$root/tools/setup.sh"
"$root/tools/build.sh" i686
"$root/tools/build.sh" x86_64 -DPLX_BUILD_TESTS=ON

cleanup() {
  "$root/tools/wine-prefix.sh" stop "$root/build/x86_64" || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
# Xvfb picks a free display and tells us which.
exec 9< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
xvfb_pid=$!
read -r -t 10 display <&9
export DISPLAY=":$display"

ctest --test-dir "$root/build/x86_64" --output-on-failure -j2

# The code free of Windows headers again, natively under ASan and UBSan:
# its unit tests, then each fuzz target briefly.
native="$root/build-native"
cmake -S "$root/native" -B "$native" -G Ninja >/dev/null
cmake --build "$native" -j2 --target status_tests cartridge_tests
ctest --test-dir "$native" --output-on-failure
FUZZ_SECONDS="${FUZZ_SECONDS:-10}" BUILD_DIR="$native" "$root/tools/fuzz.sh"
echo "test.sh: done in $(( $(date +%s) - start )) s"
