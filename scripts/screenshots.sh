#!/usr/bin/env bash
# Takes screenshots of the program window (new, a simple beam with every
# kind of load, its extremes on the diagram and the results window, a
# cantilever, every type on a support list), the unsaved-changes question,
# the open dialog, the about box while its clip plays and after it, and the
# help window under Xvfb, into the folder given (default
# build/screenshots).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
OUT=${1:-build/screenshots}
cmake -S . -B build/shots -G Ninja -DVANTREL_TESTS=OFF -DVANTREL_BENCH=OFF >/dev/null
cmake --build build/shots --target vbdshots
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" build/shots/tools/vbdshots "$OUT"
