#!/usr/bin/env bash
# Installs the Debian package into a fresh, minimal Debian 12 made with
# debootstrap (only the package and what apt pulls in for it), starts the
# program there with a data file on its command line, shown on an Xvfb of
# this machine, and checks the window caption. Needs root and the network
# to the Debian mirror that this machine's apt uses for bookworm; not run
# by test.sh.
#   package-fresh-check.sh [DEB] [ROOT_DIR]
set -uo pipefail
cd "$(dirname "$0")/.."
DEB=$(realpath "${1:-$(ls build/package/vantrel_*.deb 2>/dev/null | tail -n 1)}")
ROOT=${2:-/tmp/vantrel-bookworm}
SUITE=bookworm
[ -f "$DEB" ] || { echo "no package; run scripts/package.sh first"; exit 2; }

# Addresses of the "deb" sources of $SUITE in one-line apt lists
# ("deb [options] URI SUITE COMPONENTS...").
one_line_sources() {
  awk -v suite="$SUITE" '
    { sub(/#.*/, "") }
    $1 == "deb" {
      sub(/^[ \t]*deb[ \t]+(\[[^]]*\][ \t]+)?/, "")
      split($0, f, /[ \t]+/)
      if (f[2] == suite) print f[1]
    }' "$@"
}

# The same from deb822 stanzas (Types:, URIs:, Suites:, Enabled:), one
# address per enabled stanza: its first URI.
deb822_sources() {
  awk -v suite="$SUITE" '
    function has(list, word) { return index(" " list " ", " " word " ") > 0 }
    function stanza_end() {
      if (has(types, "deb") && has(suites, suite) && tolower(enabled) != "no") {
        split(uris, u, " ")
        print u[1]
      }
      types = uris = suites = enabled = ""
    }
    FNR == 1 { stanza_end() }
    /^[ \t]*$/ { stanza_end(); next }
    /^#/ { next }
    {
      name = tolower($0); sub(/:.*/, "", name)
      value = $0; sub(/^[^:]*:[ \t]*/, "", value); gsub(/[ \t]+/, " ", value)
      if (name == "types") types = value
      else if (name == "uris") uris = value
      else if (name == "suites") suites = value
      else if (name == "enabled") enabled = value
    }
    END { stanza_end() }' "$@"
}

# The mirror this machine's apt uses for $SUITE: the first source found in
# sources.list, sources.list.d/*.list, then sources.list.d/*.sources.
apt_mirror() {
  local lists=() stanzas=() f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && lists+=("$f")
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && stanzas+=("$f")
  done
  {
    [ ${#lists[@]} -eq 0 ] || one_line_sources "${lists[@]}"
    [ ${#stanzas[@]} -eq 0 ] || deb822_sources "${stanzas[@]}"
  } | head -n 1
}
MIRROR=$(apt_mirror)
[ -n "$MIRROR" ] || { echo "no deb source for $SUITE in this machine's apt sources"; exit 2; }
for tool in debootstrap xvfb-run xdotool; do
  command -v "$tool" >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    debootstrap xvfb xauth xdotool >/dev/null
done

if [ ! -x "$ROOT/usr/bin/apt-get" ]; then
  echo "== debootstrap $SUITE into $ROOT from $MIRROR"
  debootstrap --variant=minbase "$SUITE" "$ROOT" "$MIRROR" >/dev/null || exit 1
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
