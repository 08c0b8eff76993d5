# Sourced by the tests written as shell scripts: a temporary folder WORK,
# removed at the end, and fail(), which counts the failed checks in FAILED
# and names each one.
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
FAILED=0
fail() {
  echo "FAILED: $*"
  FAILED=$((FAILED + 1))
}
