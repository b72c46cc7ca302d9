#!/usr/bin/env bash
# Sets everything up and runs the system on the simulated printer: builds
# the x86_64 programs, installs the sample driver and printer into a Wine
# prefix in build/x86_64, loads the demo scenario and asks the core library
# for the printer's status as a driver program would. The trace of the call
# is printed at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/x86_64"
"$root/tools/setup.sh"
"$root/tools/build.sh" x86_64

export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe,mscoree,mshtml="
wine=/usr/lib/wine/wine64
trap '"$root/tools/wine-prefix.sh" stop "$build"' EXIT
"$root/tools/wine-prefix.sh" start "$build"

"$wine" "$build/bin/plxinst.exe" sample
sim="$WINEPREFIX/drive_c/ProgramData/PlxSim"
mkdir -p "$sim" "$WINEPREFIX/drive_c/ProgramData/KAVRO/PLX3"
cp "${PLX_SCENARIO:-$root/sim/scenarios/demo.ini}" "$sim/scenario.ini"
"$wine" reg add 'HKCU\Software\Kavro\PLX3' /v log /t REG_DWORD /d 1 /f >/dev/null 2>&1
log="$WINEPREFIX/drive_c/ProgramData/KAVRO/PLX3/PLX4.LOG"
rm -f "$log"

"$wine" "$build/bin/drvstat.exe" "${1:-KAVRO PX-100}" | tr -d '\r' || true
echo
echo "trace ($log):"
cat "$log"
