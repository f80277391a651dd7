#!/usr/bin/env bash
# scripts/monkey.sh [SECONDS] [SEED]
#
# Plays the monkey on SorvelL.exe for SECONDS (600) with SEED (a fresh one,
# printed, when none is given), on a private virtual display, in the monkey's
# own copy of the Wine prefix. A failing run prints its seed and its last 50
# actions; the same two arguments replay it. What it watched is also kept in
# build/windows/artifacts/monkey.txt (build/windows-x64 where x86 code
# cannot run).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-600}
seed=${2:-$((RANDOM * 32768 + RANDOM))}

source scripts/lib.sh
scripts/install-deps
source scripts/xvfb-lib.sh
choose_windows_build
build=$root/$windows_build
cmake --preset "$windows_preset" >/dev/null
cmake --build --preset "$windows_preset" --target sorvel_monkey

# The display first: Wine's desktop comes up with the prefix's server.
start_private_xvfb
# Stops what this script started: the two wineservers and the display.
trap 'tests/monkey/monkey-prefix down "$build/wineprefix-monkey"
      scripts/wine-prefix down "$build/wineprefix"
      kill "$SORVEL_XVFB_PID" 2>/dev/null || true' EXIT
scripts/wine-prefix up "$build/wineprefix"
tests/monkey/monkey-prefix up "$build/wineprefix" "$build/wineprefix-monkey" "$build/monkey-disc"

WINEPREFIX=$build/wineprefix-monkey \
SORVEL_LAUNCHER_EXE=$build/app/SorvelL.exe \
SORVEL_MONKEY_DISC=$build/monkey-disc \
SORVEL_ARTIFACTS=$build/artifacts \
CUPS_SERVER=$build/monkey-disc-no-cups.sock \
  scripts/wine-run "$build/tests/monkey/sorvel_monkey.exe" --seconds="$seconds" --seed="$seed"
