#!/usr/bin/env bash
# Fuzzes the catalogue loader and the field splitter (fuzz/CatalogueFuzzer.cpp)
# for the given number of seconds, default 600. Builds the fuzzer with clang
# (libFuzzer, ASan, UBSan) in build/fuzz, or in $SORVEL_FUZZ_BUILD when set.
#
#   scripts/fuzz.sh        ten minutes
#   scripts/fuzz.sh 30     a short run, as CI may do
#   scripts/fuzz.sh 0      only runs the seed corpus, once each
#
# The seed corpus fuzz/corpus is only read; inputs found along the way go to
# <build>/corpus and a crashing input to <build>/artifacts. Exits non-zero
# when the fuzzer finds a crash, a hang or a broken check.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
fail_loudly

seconds="${1:-600}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
  echo "usage: $0 [seconds]" >&2
  exit 2
fi
build="${SORVEL_FUZZ_BUILD:-build/fuzz}"
clang="$(command -v clang++-14 || command -v clang++ || true)"
if [ -z "$clang" ]; then
  echo "clang++ not found: run scripts/install-deps" >&2
  exit 1
fi

quietly "configuring the fuzzer's build" \
  cmake -S fuzz/clang -B "$build" -DCMAKE_CXX_COMPILER="$clang"
cmake --build "$build" -j2
fuzzer="$build/sorvel_catalogue_fuzzer"
options=(-rss_limit_mb=2048 -timeout=10)

if [ "$seconds" -eq 0 ]; then
  exec "$fuzzer" "${options[@]}" fuzz/corpus/*
fi
mkdir -p "$build/corpus" "$build/artifacts"
exec "$fuzzer" "${options[@]}" -max_total_time="$seconds" -max_len=16384 \
  -dict=fuzz/catalogue.dict -artifact_prefix="$build/artifacts/" -print_final_stats=1 \
  "$build/corpus" fuzz/corpus
