#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what landed there:
# the program, the desktop entry (desktop-file-validate), the AppStream
# metainfo (appstreamcli validate-tree), the MIME package (xmllint, then
# update-mime-database and a lookup by name and by content through that
# database), the icons at their sizes and the documents.
#   install_check.sh BUILD_DIR MIME_CHECK
set -uo pipefail
BUILD=$1
MIME_CHECK=$2
source "$(dirname "$0")/../kit/checks.sh"

PREFIX=$WORK/prefix
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" ||
  { cat "$WORK/install.log"; echo "FAILED: cmake --install"; exit 1; }
SHARE=$PREFIX/share

[ -x "$PREFIX/bin/vantrel" ] || fail "no bin/vantrel"
for f in applications/vantrel.desktop mime/packages/vantrel.xml doc/vantrel/README \
         doc/vantrel/changelog.gz doc/vantrel/copyright doc/vantrel/help/index.html \
         icons/hicolor/scalable/apps/vantrel.svg; do
  [ -s "$SHARE/$f" ] || fail "no share/$f"
done
# Each PNG icon is as large as its folder says.
for size in 16 32 48 128; do
  png=$SHARE/icons/hicolor/${size}x${size}/apps/vantrel.png
  got=$(identify -format '%wx%h' "$png" 2>/dev/null)
  [ "$got" = "${size}x${size}" ] || fail "icon $png is '$got'"
done

# The desktop entry: valid (hints are not failures), with what the
# menu and the file manager need.
DESKTOP=$SHARE/applications/vantrel.desktop
if ! out=$(desktop-file-validate "$DESKTOP" 2>&1) || grep -qE '(error|warning):' <<<"$out"; then
  fail "desktop-file-validate: $out"
fi
for line in 'Name=Vantrel' 'Exec=vantrel %f' 'MimeType=application/x-vantrel-beam;' \
            'Categories=Education;Science;Engineering;' 'Icon=vantrel'; do
  grep -qxF "$line" "$DESKTOP" || fail "the desktop entry lacks '$line'"
done
grep -q '^Comment=' "$DESKTOP" && grep -q '^Comment\[ja\]=' "$DESKTOP" ||
  fail "the desktop entry lacks an English or a Japanese comment"

# The AppStream metainfo: valid without the network (its addresses are
# not fetched) together with the installed tree (its launchable desktop
# entry), opening the MIME type installed beside it.
METAINFO=$(ls "$SHARE"/metainfo/*.metainfo.xml 2>/dev/null)
if [ "$(wc -w <<<"$METAINFO")" -ne 1 ]; then
  fail "share/metainfo holds '$METAINFO', not one metainfo file"
else
  id=$(xmllint --xpath 'string(/component/id)' "$METAINFO")
  [ "$(basename "$METAINFO")" = "$id.metainfo.xml" ] || fail "the metainfo of '$id' is named $METAINFO"
  out=$(appstreamcli validate-tree --no-net "$PREFIX" 2>&1) || fail "appstreamcli validate-tree: $out"
  type=$(xmllint --xpath 'string(//provides/mediatype)' "$METAINFO")
  grep -q "<mime-type type=\"$type\">" "$SHARE/mime/packages/vantrel.xml" ||
    fail "the metainfo provides '$type', which the MIME package does not define"
fi

for xml in "$SHARE/mime/packages/vantrel.xml" "$SHARE/icons/hicolor/scalable/apps/vantrel.svg"; do
  xmllint --noout "$xml" || fail "xmllint $xml"
done

# The MIME database built from the prefix alone: a .vbd name, and the
# file magic under another name, both give the program's type.
update-mime-database "$SHARE/mime" || fail "update-mime-database"
printf 'VantrelBeamDataFile.\1\0\0\0' >"$WORK/beamdata"
printf 'just text\n' >"$WORK/empty.vbd"
printf 'just text\n' >"$WORK/notes"
mkdir -p "$WORK/home"
lookup() {
  XDG_DATA_HOME=$WORK/home XDG_DATA_DIRS=$SHARE "$MIME_CHECK" "$1" | cut -f2
}
for f in empty.vbd beamdata; do
  [ "$(lookup "$WORK/$f")" = application/x-vantrel-beam ] ||
    fail "$f is '$(lookup "$WORK/$f")', not application/x-vantrel-beam"
done
[ "$(lookup "$WORK/notes")" != application/x-vantrel-beam ] ||
  fail "a text file without the magic counts as beam data"

[ "$FAILED" -eq 0 ] && echo "install check: passed"
[ "$FAILED" -eq 0 ]
