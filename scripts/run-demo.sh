#!/usr/bin/env bash
# Installs what is missing, builds the launcher and the demo series, and
# starts SorvelL.exe under Wine from the series' launcher folder. Without a
# display it runs under a private virtual display, saves a screenshot and
# says where.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source scripts/lib.sh
fail_loudly
scripts/install-deps
source scripts/xvfb-lib.sh
choose_windows_build
quietly "configuring the Windows build" cmake --preset "$windows_preset"
cmake --build --preset "$windows_preset" --target demo_series

build=$root/$windows_build
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
  kill -0 "$launcher" 2>/dev/null || break
  sleep 0.5
done
status=0
if [ -n "$window" ]; then
  sleep 2
  quietly "taking the screenshot" import -window "$window" "$shot"
  echo "Screenshot of the launcher: $shot"
else
  # What the display shows instead tells what went wrong.
  import -window root "$shot" || true
  echo "run-demo.sh: the launcher's window did not appear; the whole display: $shot" >&2
  status=1
fi
wineserver -k 2>/dev/null || true
kill "$launcher" 2>/dev/null || true
exit "$status"
