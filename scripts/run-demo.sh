#!/usr/bin/env bash
# Installs what is missing, builds the launcher and the demo series, and
# starts SorvelL.exe under Wine from the series' launcher folder. Without a
# display it runs under a private virtual display, saves a screenshot and
# says where.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps
source scripts/xvfb-lib.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target demo_series

build=$root/build/windows
home=$build/demo-series/SERIES/LAUNCH
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  # Wine's desktop process starts with the prefix's server: on this display.
  scripts/wine-prefix down "$WINEPREFIX"
  scripts/wine-prefix up "$WINEPREFIX"
  echo "Starting the launcher on $DISPLAY (home folder $home)"
  cd "$home" && exec wine SorvelL.exe
fi

start_private_xvfb
scripts/wine-prefix down "$WINEPREFIX"
scripts/wine-prefix up "$WINEPREFIX"
echo "No display: running the launcher on a private virtual display $DISPLAY"
(cd "$home" && wine SorvelL.exe) &
launcher=$!
shot=$build/artifacts/demo-launcher.png
mkdir -p "$(dirname "$shot")"
window=""
for _ in $(seq 1 60); do
  window=$(xdotool search --onlyvisible --name "Sorvel" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.5
done
sleep 2
if [ -n "$window" ]; then
  import -window "$window" "$shot"
else
  echo "The launcher's window did not appear." >&2
  import -window root "$shot"
fi
echo "Screenshot of the launcher: $shot"
wineserver -k 2>/dev/null || true
kill "$launcher" 2>/dev/null || true
