#!/usr/bin/env bash
# Each library finds the headers of the libraries it links and no others:
# with the include directories the build gives the model (its own and
# platform_core's), a header of the model and one of platform_core compile,
# while a header of support_core, Qt-free too, and Qt's own are not found.
#   include_check.sh COMPILER BUILD_DIR
set -uo pipefail
COMPILER=$1
INCLUDE=$(realpath "$2")/include
source "$(dirname "$0")/../kit/checks.sh"
# Away from the sources, where a quoted include would look first.
cd "$WORK" || exit 1

# probe HEADER: compiles a file that includes HEADER as the model would;
# the compiler's messages in OUT.
probe() {
  OUT=$(echo "#include $1" | "$COMPILER" -std=c++20 -fsyntax-only -x c++ \
    -I"$INCLUDE/analysis" -I"$INCLUDE/platform_core" - 2>&1)
}
for header in '"analysis/BeamData.h"' '"platform/Canvas.h"'; do
  probe "$header" || fail "$header not found by the model: $OUT"
done
for header in '"support/Cp932.h"' '<QString>'; do
  if probe "$header"; then
    fail "$header found by the model"
  elif ! grep -qF "${header:1:-1}: No such file" <<<"$OUT"; then
    fail "$header refused for another reason: $OUT"
  fi
done
exit $((FAILED > 0))
