#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows presets and runs
# every test: the core and the install list natively (plain and with
# ASan/UBSan), then the core, the Win32 layer and the windows under Wine on a
# private virtual display.
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
cmake --build --preset windows
start_private_xvfb
ctest --preset windows
# What the monkey watched: ctest keeps a passing test's output to itself.
if [ -f build/windows/artifacts/monkey.txt ]; then cat build/windows/artifacts/monkey.txt; fi
