#!/usr/bin/env bash
# Kills a program that saves a multi-megabyte document over and over, at
# random moments, KILLS times (default 200), once on this file system as
# it is and once as if it could not make unnamed files (no O_TMPFILE,
# through the fault shim). After every kill the target must be exactly one
# of the two documents being saved, and after one further save the folder
# must hold nothing else: whatever a killed save left behind is removed by
# the next one. Uses the test build (build/test).
set -euo pipefail
cd "$(dirname "$0")/.."
KILLS=${1:-200}
BUILD=build/test
cmake -S . -B "$BUILD" -G Ninja >/dev/null
cmake --build "$BUILD" -j2 --target save_loop vbdtool fault_shim >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/target"

# Two documents of 4 MB that differ in every load: sixteen loads, each with
# a remark of 131,072 double-byte characters.
for n in 1 2; do
  awk -v n="$n" 'BEGIN {
    remark = "荷"
    for (k = 0; k < 17; k++) remark = remark remark
    printf "{\"type\":0,\"L\":%d,\"loads\":[", 10 * n
    for (i = 0; i < 16; i++)
      printf "%s{\"kind\":%d,\"X\":%d,\"W\":%d,\"width\":1,\"remark\":\"%s%d\"}",
             (i ? "," : ""), i % 5, i, i + n, remark, n
    printf "]}"
  }' | "$BUILD/tools/vbdtool" make "$work/doc$n.vbd"
done
echo "documents: $(stat -c %s "$work/doc1.vbd") and $(stat -c %s "$work/doc2.vbd") bytes"
target="$work/target/beam.vbd"
cp "$work/doc1.vbd" "$target"

shim=$(realpath "$BUILD/tests/tools/libfault_shim.so")
bad=0
for mode in as-is no-tmpfile; do
  # env runs the program in its own process, so that $! is the saver's.
  save_loop=(env "$BUILD/tests/tools/save_loop")
  [ "$mode" = no-tmpfile ] &&
    save_loop=(env LD_PRELOAD="$shim" VANTREL_FAULT=no-tmpfile "$BUILD/tests/tools/save_loop")
  as_first=0 as_second=0 saves=0 left=0
  for ((i = 1; i <= KILLS; i++)); do
    "${save_loop[@]}" "$work/doc1.vbd" "$work/doc2.vbd" "$target" >"$work/count" &
    pid=$!
    sleep "0.$(printf '%03d' $((100 + RANDOM % 400)))"
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
    saves=$((saves + $(wc -l <"$work/count")))
    if cmp -s "$target" "$work/doc1.vbd"; then
      as_first=$((as_first + 1))
    elif cmp -s "$target" "$work/doc2.vbd"; then
      as_second=$((as_second + 1))
    else
      echo "$mode, kill $i: the target is neither document"
      bad=$((bad + 1))
    fi
    [ -n "$(find "$work/target" -mindepth 1 ! -name beam.vbd)" ] && left=$((left + 1))
    "${save_loop[@]}" "$work/doc1.vbd" "$work/doc2.vbd" "$target" 1 >/dev/null
    if [ -n "$(find "$work/target" -mindepth 1 ! -name beam.vbd)" ]; then
      echo "$mode, kill $i: still there after a further save:" $(ls -A "$work/target")
      bad=$((bad + 1))
      find "$work/target" -mindepth 1 ! -name beam.vbd -delete
    fi
  done
  echo "$mode: $KILLS kills, $saves saves completed between them;" \
    "target was the first document $as_first times, the second $as_second times;" \
    "$left kills left a temporary file, which the next save removed"
done
echo "$bad faults"
[ "$bad" -eq 0 ]
