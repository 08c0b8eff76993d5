#!/usr/bin/env bash
# The program's command line, run as the program: --help and --version
# answer on the standard output and end with 0 before Qt needs a display;
# Qt's own options are let through; an unknown option or a second file
# name is refused on the standard error with the usage and exit code 2,
# also one after "--" that Qt would otherwise take as its option.
#   command_line.sh VANTREL VERSION
set -uo pipefail
VANTREL=$1
VERSION=$2
source "$(dirname "$0")/../kit/checks.sh"

mkdir -m 700 "$WORK/run"
# run ENV... -- ARGS...: the program's exit code in CODE, its outputs in
# OUT and ERR.
run() {
  local env=()
  while [ "$1" != -- ]; do env+=("$1"); shift; done
  shift
  env+=(XDG_RUNTIME_DIR="$WORK/run")
  (cd "$WORK" && env "${env[@]}" timeout 60 "$VANTREL" "$@" >"$WORK/out" 2>"$WORK/err")
  CODE=$?
  OUT=$(cat "$WORK/out")
  ERR=$(cat "$WORK/err")
}
# answered WHAT OUT_PATTERN: ended with 0, OUT matching the (glob)
# pattern, nothing on the standard error.
answered() {
  [ "$CODE" = 0 ] || fail "$1: exit code $CODE"
  [[ $OUT == $2 ]] || fail "$1: standard output: $OUT"
  [ -z "$ERR" ] || fail "$1: standard error: $ERR"
}
# refused WHAT ARGUMENT: ended with 2, nothing on the standard output, on
# the standard error a line naming ARGUMENT and then the usage.
refused() {
  [ "$CODE" = 2 ] || fail "$1: exit code $CODE"
  [ -z "$OUT" ] || fail "$1: standard output: $OUT"
  [[ $ERR == "vantrel: "*": $2"$'\n'"使い方: vantrel "* ]] || fail "$1: standard error: $ERR"
}

NO_DISPLAY=(-u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb)
OFFSCREEN=(QT_QPA_PLATFORM=offscreen)

run "${NO_DISPLAY[@]}" -- --help
answered "--help without a display" "使い方: vantrel *--help *--version *"
run "${NO_DISPLAY[@]}" -- beam.vbd --version
answered "--version without a display" "Vantrel $VERSION"
run "${OFFSCREEN[@]}" -- -platform offscreen --version
answered "--version after a Qt option" "Vantrel $VERSION"

run "${OFFSCREEN[@]}" -- --bogus
refused "an unknown option" --bogus
run "${OFFSCREEN[@]}" -- a.vbd b.vbd
refused "a second file name" b.vbd
# After "--" not even Qt's options are options.
run "${OFFSCREEN[@]}" -- a.vbd -- -platform offscreen
refused "Qt's option after --" -platform

[ "$FAILED" -eq 0 ] && echo "command line: passed"
exit "$FAILED"
