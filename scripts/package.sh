#!/usr/bin/env bash
# Builds the release: dist/SorvelL-<version>-x86.zip with SorvelL.exe,
# SvlCheck.exe, the publishers' guide as HTML pages, the demo series as a
# sample and SHA256SUMS. The version is the project's VERSION in
# CMakeLists.txt, as in the programs' version resources. Installs what is
# missing first, as the other scripts do.
#
# usage: package.sh [--sign CERT KEY [--timestamp URL]]
#
# Unsigned by default, and then the same commit gives the same zip byte for
# byte wherever it is built. With --sign every program in the zip (both
# programs, and the sample's launcher and programs) is signed with
# Authenticode (SHA-256) by the certificate CERT (PEM, with its chain up to
# the root) and its private key KEY (PEM), and the signatures are verified
# before the zip is packed; a time-stamp server is asked only when
# --timestamp names one.
set -euo pipefail
usage() {
  echo "usage: $0 [--sign CERT KEY [--timestamp URL]]" >&2
  exit 2
}
signing=()
while [ $# -gt 0 ]; do
  case "$1" in
  --sign)
    [ $# -ge 3 ] || usage
    for file in "$2" "$3"; do
      [ -f "$file" ] || { echo "$0: $file: no such file" >&2; exit 2; }
    done
    signing+=(--sign "$(realpath "$2")" "$(realpath "$3")")
    shift 3 ;;
  --timestamp)
    [ $# -ge 2 ] || usage
    signing+=(--timestamp "$2")
    shift 2 ;;
  *) usage ;;
  esac
done
cd "$(dirname "$0")/.."
source scripts/lib.sh
fail_loudly
scripts/install-deps
quietly "configuring the Windows build" cmake --preset windows
cmake --build --preset windows --target release_zip
version=$(sed -n 's/^#define SORVEL_VERSION_TEXT "\(.*\)"$/\1/p' build/windows/generated/SorvelVersion.h)
zip=SorvelL-$version-x86.zip
mkdir -p dist
if [ ${#signing[@]} -eq 0 ]; then
  cp "build/windows/dist/$zip" "dist/$zip"
else
  # The build tree's zip stays unsigned, as the tests compare it with the build.
  python3 scripts/make_release.py @build/windows/dist/release.args --out "dist/$zip" "${signing[@]}"
fi
echo "dist/$zip"
