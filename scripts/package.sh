#!/usr/bin/env bash
# Builds the release: dist/SorvelL-<version>-x86.zip with SorvelL.exe,
# SvlCheck.exe, the publishers' guide as HTML pages, the demo series as a
# sample and SHA256SUMS; the same commit gives the same zip byte for byte
# wherever it is built. The version is the project's VERSION in
# CMakeLists.txt, as in the programs' version resources. Installs what is
# missing first, as the other scripts do.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
fail_loudly
scripts/install-deps
quietly "configuring the Windows build" cmake --preset windows
cmake --build --preset windows --target release_zip
version=$(sed -n 's/^#define SORVEL_VERSION_TEXT "\(.*\)"$/\1/p' build/windows/generated/SorvelVersion.h)
zip=SorvelL-$version-x86.zip
mkdir -p dist
cp "build/windows/dist/$zip" "dist/$zip"
echo "dist/$zip"
