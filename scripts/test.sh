#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows presets and runs
# every test: the core natively (plain and with ASan/UBSan), then the core,
# the Win32 layer and the windows under Wine on a private virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps
source scripts/xvfb-lib.sh

for preset in native native-asan; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

cmake --preset windows >/dev/null
cmake --build --preset windows
start_private_xvfb
ctest --preset windows
