#!/usr/bin/env bash
# Builds the Debian package build/package/vantrel_<version>_<arch>.deb: a
# release build of the program, installed under /usr by CPack, its library
# dependencies found by dpkg-shlibdeps. Install it with
#   apt install ./build/package/vantrel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
BUILD=build/release
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF \
  -DVANTREL_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j "${JOBS:-2}"
mkdir -p build/package
rm -f build/package/vantrel_*.deb
(cd "$BUILD" && cpack -G DEB -B "$PWD/../package" >/dev/null)
ls build/package/vantrel_*.deb
