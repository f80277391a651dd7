#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows presets and runs
# every test: the core and the install list natively (plain and with
# ASan/UBSan), then the core, the Win32 layer and the windows under Wine on a
# private virtual display. On a machine that cannot run 32-bit x86 code the
# x86 build makes only the release (the programs and the zip), and the same
# sources built for x86-64 run the Windows tests under 64-bit Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
fail_loudly
scripts/install-deps
source scripts/xvfb-lib.sh

for preset in native native-asan; do
  quietly "configuring the $preset build" cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

quietly "configuring the Windows build" cmake --preset windows
choose_windows_build
if [ "$windows_preset" = windows ]; then
  cmake --build --preset windows
else
  # What ships, which the x86-64 build's release tests read.
  cmake --build --preset windows --target SorvelL SvlCheck release_zip
  quietly "configuring the x86-64 Windows build" cmake --preset "$windows_preset"
  cmake --build --preset "$windows_preset"
fi
start_private_xvfb
ctest --preset "$windows_preset"
# What the monkey watched: ctest keeps a passing test's output to itself.
if [ -f "$windows_build/artifacts/monkey.txt" ]; then cat "$windows_build/artifacts/monkey.txt"; fi
