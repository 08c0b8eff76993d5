#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs the data file reader's
# fuzzer for the given number of seconds (default 60) on a copy of the
# checked-in corpus. New findings are left in fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
SECONDS_TO_RUN=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DVANTREL_FUZZ=ON -DVANTREL_SANITIZE=ON \
  -DVANTREL_TESTS=OFF -DVANTREL_BENCH=OFF >/dev/null
cmake --build build/fuzz --target load_stream_fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp fuzz/corpus/* "$work"/
mkdir -p fuzz/findings
build/fuzz/fuzz/load_stream_fuzz -max_total_time="$SECONDS_TO_RUN" -max_len=4096 \
  -artifact_prefix=fuzz/findings/ "$work"
