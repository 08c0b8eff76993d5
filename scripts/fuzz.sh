#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs one of them, or each in turn,
# for the given number of seconds (default 60) on a copy of its checked-in
# corpus:
#   scripts/fuzz.sh [load_stream|document|avi_reader|all] [SECONDS]
# load_stream (the default) fuzzes the data file reader and document what a
# read file drives (results, checks, CSV text), both with fuzz/corpus and
# the file's dictionary fuzz/data_file.dict; avi_reader the about box's
# clip reader with fuzz/avi_corpus. New findings are left in
# fuzz/findings/. scripts/test.sh runs all of them for a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
TARGETS=(load_stream)
if [ $# -gt 0 ] && ! [[ $1 =~ ^[0-9]+$ ]]; then
  TARGETS=("$1")
  [ "$1" = all ] && TARGETS=(load_stream document avi_reader)
  shift
fi
for target in "${TARGETS[@]}"; do
  case "$target" in
    load_stream | document | avi_reader) ;;
    *) echo "unknown fuzz target: $target (load_stream, document, avi_reader or all)" >&2; exit 2 ;;
  esac
done
./scripts/install-deps.sh
SECONDS_TO_RUN=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DVANTREL_FUZZ=ON -DVANTREL_SANITIZE=ON \
  -DVANTREL_TESTS=OFF -DVANTREL_BENCH=OFF >/dev/null
cmake --build build/fuzz --target "${TARGETS[@]/%/_fuzz}"
mkdir -p fuzz/findings
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in "${TARGETS[@]}"; do
  case "$target" in
    avi_reader) corpus=fuzz/avi_corpus options=(-max_len=8192) ;;
    *) corpus=fuzz/corpus options=(-max_len=4096 -dict=fuzz/data_file.dict) ;;
  esac
  rm -rf "${work:?}"/*
  cp "$corpus"/* "$work"/
  "build/fuzz/fuzz/${target}_fuzz" -max_total_time="$SECONDS_TO_RUN" "${options[@]}" \
    -artifact_prefix=fuzz/findings/ "$work"
done
