#!/usr/bin/env bash
# Builds Vantrel and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BENCH=OFF >/dev/null
cmake --build build/release
if [ -x build/release/mainwindow/vantrel ]; then
  exec build/release/mainwindow/vantrel "$@"
fi
echo "Built. The program window is not part of this build yet; the tools are in build/release/tools."
