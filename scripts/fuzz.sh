#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs one of them for the given
# number of seconds (default 60) on a copy of its checked-in corpus:
#   scripts/fuzz.sh [load_stream|avi_reader] [SECONDS]
# load_stream (the default) fuzzes the data file reader with fuzz/corpus,
# avi_reader the about box's clip reader with fuzz/avi_corpus. New findings
# are left in fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
TARGET=load_stream
if [ $# -gt 0 ] && ! [[ $1 =~ ^[0-9]+$ ]]; then
  TARGET=$1
  shift
fi
case "$TARGET" in
  load_stream) CORPUS=fuzz/corpus MAX_LEN=4096 ;;
  avi_reader) CORPUS=fuzz/avi_corpus MAX_LEN=8192 ;;
  *) echo "unknown fuzz target: $TARGET (load_stream or avi_reader)" >&2; exit 2 ;;
esac
./scripts/install-deps.sh
SECONDS_TO_RUN=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DVANTREL_FUZZ=ON -DVANTREL_SANITIZE=ON \
  -DVANTREL_TESTS=OFF -DVANTREL_BENCH=OFF >/dev/null
cmake --build build/fuzz --target "${TARGET}_fuzz"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$CORPUS"/* "$work"/
mkdir -p fuzz/findings
"build/fuzz/fuzz/${TARGET}_fuzz" -max_total_time="$SECONDS_TO_RUN" -max_len="$MAX_LEN" \
  -artifact_prefix=fuzz/findings/ "$work"
