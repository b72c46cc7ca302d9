#!/usr/bin/env bash
# Runs one Windows program under wine64 for CTest. Its output goes through a
# file: a process Wine starts on the program's behalf (the desktop's
# explorer) inherits the program's output handles and would keep CTest's
# pipe open, and CTest waiting, until it ends.
set -uo pipefail
out=$(mktemp)
/usr/lib/wine/wine64 "$@" >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit "$rc"
