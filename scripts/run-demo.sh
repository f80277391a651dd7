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
scripts/wine-prefix up "$WINEPREFIX"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting the launcher on $DISPLAY (home folder $home)"
  cd "$home" && exec wine SorvelL.exe
fi

start_private_xvfb
echo "No display: running the launcher on a private virtual display $DISPLAY"
(cd "$home" && wine SorvelL.exe) &
launcher=$!
shot=$build/artifacts/demo-launcher.png
mkdir -p "$(dirname "$shot")"
for _ in $(seq 1 60); do
  xdotool search --name "Sorvel" >/dev/null 2>&1 && break
  sleep 0.5
done
sleep 2
import -window root -crop 800x600+0+0 "$shot"
echo "Screenshot of the launcher: $shot"
wineserver -k 2>/dev/null || true
kill "$launcher" 2>/dev/null || true
