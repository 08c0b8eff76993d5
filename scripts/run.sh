#!/usr/bin/env bash
# Builds Vantrel and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF \
  -DVANTREL_BENCH=OFF >/dev/null
cmake --build build/release --target vantrel
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Built build/release/mainwindow/vantrel, but there is no display to open its window on;" \
    "run it under Xvfb: xvfb-run -a ./scripts/run.sh" >&2
  exit 1
fi
exec build/release/mainwindow/vantrel
