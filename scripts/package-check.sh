#!/usr/bin/env bash
# Checks the Debian package with lintian, installs it on this machine with
# apt, starts the program under Xvfb with a data file named on its command
# line, checks the window caption, and removes the package again; the
# desktop and MIME databases must follow both steps. Changes the system's
# packages: run as root (or with sudo), not from test.sh. Builds the
# package first when there is none.
#   package-check.sh [DEB]
set -uo pipefail
cd "$(dirname "$0")/.."
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
DEB=${1:-$(ls build/package/vantrel_*.deb 2>/dev/null | tail -n 1)}
if [ -z "$DEB" ]; then
  ./scripts/package.sh || exit 1
  DEB=$(ls build/package/vantrel_*.deb | tail -n 1)
fi
DEB=$(realpath "$DEB")
WORK=$(mktemp -d)
chmod 755 "$WORK"
trap 'rm -rf "$WORK"' EXIT
FAILED=0
step() { echo "== $*"; }
fail() {
  echo "FAILED: $*"
  FAILED=$((FAILED + 1))
}

step "package $(basename "$DEB")"
dpkg-deb --field "$DEB" Package Version Architecture Depends Recommends
dpkg-deb --contents "$DEB" | awk '{print $NF}' | grep -v '/$'

step "lintian"
command -v lintian >/dev/null ||
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq lintian >/dev/null
# Warnings may stay; an error fails the check.
lintian --fail-on error "$DEB" || fail "lintian reports errors"

step "apt install"
if dpkg-query -W -f='${Status}' vantrel 2>/dev/null | grep -q "install ok installed"; then
  echo "vantrel is installed already; removing it first"
  $SUDO apt-get remove -y -qq vantrel >/dev/null
fi
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "$DEB" 2>&1 |
  grep -E '^(Setting up|Processing triggers|E:)' || true
dpkg-query -W -f='${Status} ${Version}\n' vantrel | grep -q "install ok installed" ||
  { fail "not installed"; exit 1; }
command -v vantrel || fail "vantrel is not on the PATH"
# The triggers of shared-mime-info and desktop-file-utils ran.
[ -f /usr/share/mime/application/x-vantrel-beam.xml ] &&
  echo "MIME database: application/x-vantrel-beam" || fail "the MIME database lacks the type"
grep -h 'application/x-vantrel-beam' /usr/share/applications/mimeinfo.cache ||
  fail "the desktop database lacks the type"

step "start with a file argument under Xvfb"
cp fuzz/corpus/mixed.vbd "$WORK/beam1.vbd"
cat >"$WORK/start.sh" <<'INNER'
#!/usr/bin/env bash
# Starts vantrel on $1 and prints the caption of its window.
cd "$(dirname "$1")"
vantrel "$(basename "$1")" 2>/dev/null &
APP=$!
deadline=$((SECONDS + 20))
title=""
while [ $SECONDS -lt $deadline ]; do
  title=$(xdotool search --onlyvisible --name '^Vantrel' getwindowname %@ 2>/dev/null | head -n 1)
  [ -n "$title" ] && break
  sleep 0.2
done
sleep 1
import -window root "$2" 2>/dev/null
echo "$title"
kill "$APP" 2>/dev/null
wait "$APP" 2>/dev/null
exit 0
INNER
chmod +x "$WORK/start.sh"
TITLE=$(xvfb-run -a -s "-screen 0 1024x768x24" "$WORK/start.sh" "$WORK/beam1.vbd" "${SHOT:-$WORK/shot.png}")
echo "caption: $TITLE"
[ "$TITLE" = "Vantrel - [beam1]" ] || fail "the caption is '$TITLE'"

step "apt remove"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y vantrel 2>&1 |
  grep -E '^(Removing|Processing triggers|E:)' || true
dpkg-query -W -f='${Status}' vantrel 2>/dev/null | grep -q "install ok installed" &&
  fail "still installed"
[ ! -e /usr/bin/vantrel ] || fail "/usr/bin/vantrel is left behind"
[ ! -e /usr/share/mime/application/x-vantrel-beam.xml ] || fail "the MIME type is left behind"
! grep -qs 'vantrel' /usr/share/applications/mimeinfo.cache || fail "the desktop database keeps vantrel"

if [ "$FAILED" -eq 0 ]; then echo "package check: passed"; else echo "package check: $FAILED failed"; fi
[ "$FAILED" -eq 0 ]
