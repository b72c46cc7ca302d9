#!/usr/bin/env bash
# Starts or stops the Wine prefix of a build folder.
#   wine-prefix.sh start BUILD_DIR   create the prefix once, start its
#                                    wineserver, desktop keeper and settings
#   wine-prefix.sh stop BUILD_DIR    shut the wineserver down and wait
# Everything Wine starts in the background is detached from our pipes:
# otherwise CTest waits for them forever.
set -euo pipefail

action=${1:?start or stop}
build=$(cd "${2:?build folder}" && pwd)
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe,mscoree,mshtml="
export WINEARCH=win64
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64

case "$action" in
start)
  mkdir -p "$WINEPREFIX"
  # A server left from a run with another display would keep the wrong one.
  "$wineserver" -k </dev/null >/dev/null 2>&1 || true
  "$wineserver" -w </dev/null >/dev/null 2>&1 || true
  "$wineserver" -p </dev/null >/dev/null 2>&1
  if [ ! -f "$WINEPREFIX/.plx-ready" ]; then
    "$wine" wineboot --init </dev/null >/dev/null 2>&1
    regfile="$build/plx-wine-settings.reg"
    cat > "$regfile" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine]
"Version"="win10"

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
    "$wine" regedit /S "Z:$regfile" </dev/null >/dev/null 2>&1
    touch "$WINEPREFIX/.plx-ready"
  else
    "$wine" wineboot </dev/null >/dev/null 2>&1
  fi
  ;;
stop)
  "$wineserver" -k </dev/null >/dev/null 2>&1 || true
  "$wineserver" -w </dev/null >/dev/null 2>&1 || true
  ;;
*)
  echo "usage: $0 start|stop BUILD_DIR" >&2
  exit 2
  ;;
esac
