#!/usr/bin/env bash
# Checks the style, then builds and runs every test: a normal build with
# warnings as errors, then the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, then builds the fuzz targets with clang and
# runs each for a few seconds. The Qt test binaries choose the offscreen
# platform themselves.
#   --no-sanitize   skip the sanitizer stage
#   --no-fuzz       skip the fuzz stage
set -uo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh || exit 1

SANITIZE=1
FUZZ=1
for arg in "$@"; do
  case "$arg" in
    --no-sanitize) SANITIZE=0 ;;
    --no-fuzz) FUZZ=0 ;;
    *) echo "unknown option: $arg" >&2; exit 2 ;;
  esac
done

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
JOBS=$(nproc 2>/dev/null || echo 2)

TOTAL_PASSED=0
TOTAL_FAILED=0
TOTAL_SKIPPED=0

# Every tracked C++ file must be as clang-format leaves it; a difference
# counts as one failure and names the files.
style() {
  echo "== style"
  local out files
  if out=$(git ls-files -z '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run --Werror 2>&1); then
    return
  fi
  files=$(printf '%s\n' "$out" | sed -nE 's/^(.+):[0-9]+:[0-9]+: (warning|error): .*/\1/p' |
    sort -u | tr '\n' ' ')
  echo "style: differs from clang-format: ${files:-$out}"
  TOTAL_FAILED=$((TOTAL_FAILED + 1))
}

# rule WHAT GIT-GREP-ARGS...: a written rule of the code that the build
# cannot check; any line git grep finds breaks it, counts as one failure
# and is shown.
rule() {
  local what=$1 hits
  shift
  if hits=$(git grep -n "$@"); then
    printf 'house rule broken: %s\n%s\n' "$what" "$hits"
    TOTAL_FAILED=$((TOTAL_FAILED + 1))
  fi
}

# The rules. Qt-free files are the analysis folder and the headers the
# build gives platform_core and support_core (build/test/include, made at
# configure time), with the sources named after them.
house_rules() {
  echo "== house rules"
  rule "a load kind compared by hand, not by a predicate of analysis/KajyuData.h" \
    -E '\blk[A-Z][A-Za-z]*[[:space:]]*[!=]=|[!=]=[[:space:]]*lk[A-Z]' -- '*.cpp' '*.h' \
    ':!tests/' ':!analysis/KajyuData.h'
  rule "repaint() in the window, which asks for update()" -e 'repaint()' -- 'mainwindow/'
  local long
  long=$(git ls-files '*.cpp' '*.h' ':!tests/' | xargs wc -l | awk '$2 != "total" && $1 > 500')
  if [ -n "$long" ]; then
    printf 'house rule broken: a source file over 500 lines\n%s\n' "$long"
    TOTAL_FAILED=$((TOTAL_FAILED + 1))
  fi
  if ! [ -d build/test/include/platform_core ] || ! [ -d build/test/include/support_core ]; then
    echo "house rules: no build/test/include to tell the Qt-free files by"
    TOTAL_FAILED=$((TOTAL_FAILED + 1))
    return
  fi
  local core=() header
  for header in build/test/include/platform_core/*/*.h build/test/include/support_core/*/*.h; do
    header=${header#build/test/include/*/}
    core+=("$header" "${header%.h}.cpp")
  done
  rule "Qt included by a Qt-free file" -e '#include <Q' -- 'analysis/' "${core[@]}"
}

# not_run LOG KIND: how many tests ctest's closing list of tests that did
# not run gives as KIND (Skipped, Disabled).
not_run() {
  awk -v kind="($2)" '/^The following tests did not run:/ { list = 1; next }
    list && NF == 0 { list = 0 }
    list && $NF == kind { n++ }
    END { print n + 0 }' "$1"
}

# stage NAME BUILD_DIR CMAKE_ARGS...
stage() {
  local name=$1 dir=$2
  shift 2
  echo "== $name"
  if ! cmake -S . -B "$dir" -G Ninja -DVANTREL_WERROR=ON "$@" >/dev/null ||
     ! cmake --build "$dir" -j "$JOBS"; then
    echo "$name: build failed"
    TOTAL_FAILED=$((TOTAL_FAILED + 1))
    return
  fi
  local log="$dir/ctest.log"
  ctest --test-dir "$dir" --output-on-failure -j "$JOBS" 2>&1 | tee "$log"
  local line total failed skipped disabled
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    if grep -q 'No tests were found' "$log"; then return; fi
    echo "$name: ctest gave no summary"
    TOTAL_FAILED=$((TOTAL_FAILED + 1))
    return
  fi
  failed=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
  total=$(echo "$line" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
  # ctest's total holds the skipped tests (GTEST_SKIP), and its "passed"
  # counts them; disabled tests are in neither.
  skipped=$(not_run "$log" Skipped)
  disabled=$(not_run "$log" Disabled)
  TOTAL_PASSED=$((TOTAL_PASSED + total - failed - skipped))
  TOTAL_FAILED=$((TOTAL_FAILED + failed))
  TOTAL_SKIPPED=$((TOTAL_SKIPPED + skipped + disabled))
}

# The window under a real X server with a window manager, driven by
# xdotool; skipped with a note where there is no Xvfb.
real_x() {
  echo "== window under X"
  if ! command -v xvfb-run >/dev/null; then
    echo "window under X: skipped, no xvfb-run"
    TOTAL_SKIPPED=$((TOTAL_SKIPPED + 1))
    return
  fi
  # A display number of its own, so that other X sessions on the machine
  # cannot take it away midway.
  if xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x1024x24" \
    tests/x11/window_under_x.sh build/test; then
    TOTAL_PASSED=$((TOTAL_PASSED + 1))
  else
    TOTAL_FAILED=$((TOTAL_FAILED + 1))
  fi
}

# The fuzz targets built with clang and run a few seconds each on their
# corpora, so that neither their build nor a quick finding goes unseen.
fuzz() {
  echo "== fuzz"
  if ./scripts/fuzz.sh all 5; then
    TOTAL_PASSED=$((TOTAL_PASSED + 1))
  else
    echo "fuzz: failed"
    TOTAL_FAILED=$((TOTAL_FAILED + 1))
  fi
}

style
stage "tests" build/test
house_rules
[ -x build/test/mainwindow/vantrel ] && real_x
if [ "$SANITIZE" = 1 ]; then
  stage "tests under ASan and UBSan" build/sanitize -DVANTREL_SANITIZE=ON -DVANTREL_BENCH=OFF
fi
[ "$FUZZ" = 1 ] && fuzz

echo "$TOTAL_PASSED passed, $TOTAL_FAILED failed, $TOTAL_SKIPPED skipped"
[ "$TOTAL_FAILED" -eq 0 ]
