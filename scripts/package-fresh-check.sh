#!/usr/bin/env bash
# Installs the Debian package into a fresh, minimal Debian 12 made with
# debootstrap (only the package and what apt pulls in for it), starts the
# program there with a data file on its command line, shown on an Xvfb of
# this machine, and checks the window caption. Needs root and the network
# to Debian's mirror; not run by test.sh.
#   package-fresh-check.sh [DEB] [ROOT_DIR]
set -uo pipefail
cd "$(dirname "$0")/.."
DEB=$(realpath "${1:-$(ls build/package/vantrel_*.deb 2>/dev/null | tail -n 1)}")
ROOT=${2:-/tmp/vantrel-bookworm}
[ -f "$DEB" ] || { echo "no package; run scripts/package.sh first"; exit 2; }
for tool in debootstrap xvfb-run xdotool; do
  command -v "$tool" >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    debootstrap xvfb xauth xdotool >/dev/null
done

if [ ! -x "$ROOT/usr/bin/apt-get" ]; then
  echo "== debootstrap bookworm into $ROOT"
  debootstrap --variant=minbase bookworm "$ROOT" http://deb.debian.org/debian >/dev/null || exit 1
fi
mountpoint -q "$ROOT/proc" || mount --bind /proc "$ROOT/proc"
mkdir -p "$ROOT/tmp/.X11-unix"
cleanup() {
  umount "$ROOT/tmp/.X11-unix" 2>/dev/null
  umount "$ROOT/proc" 2>/dev/null
}
trap cleanup EXIT

echo "== apt install $(basename "$DEB") on a system with $(chroot "$ROOT" dpkg -l | grep -c '^ii') packages"
cp "$DEB" "$ROOT/tmp/vantrel.deb"
chroot "$ROOT" bash -c "apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq /tmp/vantrel.deb >/dev/null" || { echo "FAILED: apt install"; exit 1; }
chroot "$ROOT" dpkg-query -W -f='${Package} ${Version} ${Status}\n' vantrel
cp fuzz/corpus/mixed.vbd "$ROOT/tmp/beam1.vbd"

echo "== start with a file argument"
cat >"$ROOT/tmp/show.sh" <<'INNER'
#!/usr/bin/env bash
# On this machine's X server: the program in the fresh system, its caption.
ROOT=$1
mount --bind /tmp/.X11-unix "$ROOT/tmp/.X11-unix"
cp "$XAUTHORITY" "$ROOT/tmp/xauth"
chroot "$ROOT" env DISPLAY="$DISPLAY" XAUTHORITY=/tmp/xauth QT_QPA_PLATFORM=xcb HOME=/root \
  bash -c "cd /tmp && exec vantrel beam1.vbd" 2>/dev/null &
APP=$!
deadline=$((SECONDS + 60))
title=""
while [ $SECONDS -lt $deadline ] && kill -0 "$APP" 2>/dev/null; do
  title=$(xdotool search --onlyvisible --name '^Vantrel' getwindowname %@ 2>/dev/null | head -n 1)
  [ -n "$title" ] && break
  sleep 0.2
done
echo "$title"
kill "$APP" 2>/dev/null
wait "$APP" 2>/dev/null
umount "$ROOT/tmp/.X11-unix"
INNER
TITLE=$(xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x768x24" \
  bash "$ROOT/tmp/show.sh" "$ROOT")
echo "caption: $TITLE"
if [ "$TITLE" = "Vantrel - [beam1]" ]; then
  echo "fresh system check: passed"
else
  echo "fresh system check: FAILED"
  exit 1
fi
