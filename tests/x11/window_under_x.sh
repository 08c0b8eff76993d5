#!/usr/bin/env bash
# The program in a real X session (Xvfb with the openbox window manager),
# used through xdotool as a user would: what only a real X server shows
# (focus, keyboard paths, the window manager) is checked here.
#   window_under_x.sh BUILD_DIR [SHOTS_DIR]
# Run it inside an X server: xvfb-run -a -s "-screen 0 1280x1024x24" ...
# Every wait polls with a deadline; no check relies on a fixed sleep.
set -uo pipefail
BUILD=$(realpath "$1")
SHOTS=${2:-$(mktemp -d)}
mkdir -p "$SHOTS"
WORK=$(mktemp -d)
FAILED=0
APP_PID=""
WM_PID=""
cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*"
  FAILED=$((FAILED + 1))
}

# until SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds;
# gives up at once when it answers 3 (no use waiting).
until_true() {
  local deadline=$((SECONDS + $1)) status
  shift
  while :; do
    "$@" >/dev/null 2>&1
    status=$?
    [ $status -eq 0 ] && return 0
    [ $status -eq 3 ] && return 3
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

window_named() { xdotool search --onlyvisible --name "$1" | head -n 1; }
has_window() { [ -n "$(window_named "$1")" ]; }
focused_name() { xdotool getwindowfocus getwindowname 2>/dev/null; }
focus_is() { [ "$(focused_name)" = "$1" ]; }

# The screen region W×H at (X, Y) of the main window's client area.
grab() {
  import -window root -crop "$3x$4+$((CX + $1))+$((CY + $2))" +repage "$5"
}
same_image() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]; }

openbox >/dev/null 2>&1 &
WM_PID=$!
# Ready once it has published its client list: a window mapped earlier
# in its start-up may stay unmapped.
wm_ready() { xprop -root _NET_CLIENT_LIST | grep -q "window id"; }
until_true 30 wm_ready || fail "the window manager did not start"

QT_QPA_PLATFORM=xcb "$BUILD/mainwindow/vantrel" &
APP_PID=$!
main_window_up() {
  kill -0 "$APP_PID" 2>/dev/null || return 3
  has_window "Vantrel - \[新規データ\]"
}
until_true 60 main_window_up || { fail "no main window (the program did not start)"; exit 1; }
MAIN=$(window_named "Vantrel - \[新規データ\]")
xdotool windowactivate --sync "$MAIN"
# The window's place on the screen, menu bar included; the client area
# (650 × 509 at design size, the status bar under it) ends at its bottom.
INFO=$(xwininfo -id "$MAIN")
X=$(echo "$INFO" | awk '/Absolute upper-left X/ {print $NF}')
Y=$(echo "$INFO" | awk '/Absolute upper-left Y/ {print $NF}')
HEIGHT=$(echo "$INFO" | awk '/Height:/ {print $NF}')
CX=$X
CY=$((Y + HEIGHT - 509 - 19))
click() { xdotool mousemove "$((CX + $1))" "$((CY + $2))" click 1; }

# Two loads by keyboard alone, from the window's first focus on the span
# grid: the span; Tab to the load kinds, Down to 集中荷重, and Enter runs
# through X, W and the remark to the add button, which Enter presses. Then
# Shift+Tab back through the remark, W and X to the kinds, Up to
# 分布荷重(長方形), and Tab runs through X, W, the width and the remark to
# the add button, which Space presses.
# span_changed FROM: the span cell looks other than in FROM (kept in span_now).
span_changed() {
  grab 183 53 48 22 "$WORK/span_now.png" && ! same_image "$1" "$WORK/span_now.png"
}
grab 183 53 48 22 "$WORK/span_first.png"
xdotool key Tab
until_true 30 span_changed "$WORK/span_first.png" || fail "the span grid was not focused at first"
cp "$WORK/span_now.png" "$WORK/span_left.png"
xdotool key shift+Tab
until_true 30 span_changed "$WORK/span_left.png" ||
  fail "no current cell shows in the span grid reached by Tab"
xdotool type --delay 20 "8"
xdotool key Tab Down Down Down Return
for value in 6 4 p; do
  xdotool type --delay 20 "$value"
  xdotool key Return
done
xdotool key Return
xdotool key shift+Tab shift+Tab shift+Tab shift+Tab Up Up Up Tab
for value in 2 5 3 abc; do
  xdotool type --delay 20 "$value"
  xdotool key Tab
done
xdotool key space

# The load entry grid at (16, 176): its X caption row must stay in place
# when the width row is clicked or reached with Down.
grab 16 176 160 22 "$SHOTS/x_caption_before.png"
grab 183 220 48 22 "$WORK/width_before.png"
click 207 231
xdotool key Down
# Painted once the width cell shows as the current one.
width_changed() {
  grab 183 220 48 22 "$WORK/width_now.png" && ! same_image "$WORK/width_before.png" "$WORK/width_now.png"
}
until_true 30 width_changed || fail "the width cell did not become current"
grab 16 176 160 22 "$SHOTS/x_caption_after.png"
same_image "$SHOTS/x_caption_before.png" "$SHOTS/x_caption_after.png" ||
  fail "the X row of the load entry moved after a click on the width row"

import -window root -crop "650x$HEIGHT+$X+$Y" +repage "$SHOTS/window_after_entry.png"

# Save it through the menu and the real file dialog.
xdotool key alt+f a
until_true 30 has_window "名前を付けて保存|Save As|保存" || fail "no save dialog"
xdotool type --delay 20 "$WORK/entered"
until_true 5 test -n "$(xdotool getwindowfocus)"
xdotool key Return
until_true 30 test -f "$WORK/entered.vbd" || {
  xdotool key Return
  until_true 30 test -f "$WORK/entered.vbd"
} || fail "the document was not saved"
if [ -f "$WORK/entered.vbd" ]; then
  "$BUILD/tools/vbdtool" dump "$WORK/entered.vbd" | python3 -c '
import json, sys
d = json.load(sys.stdin)
got = (d["L"], [(k["kind"], k["X"], k["W"], k["width"], k["remark"]) for k in d["loads"]])
sys.exit(0 if got == (8, [(3, 6, 4, 0, "p"), (0, 2, 5, 3, "abc")]) else "saved " + repr(got))
' || fail "the saved document is not the one entered"
fi

# A section from the table and a material by keyboard alone: 編集 →
# 断面・材料, a section of the first family, the first material, Enter;
# then 上書き保存 keeps them, and the window that grew for the θ and δ
# panels is still whole on the screen.
xdotool key alt+e s
until_true 30 has_window "断面・材料" || fail "no section dialog"
xdotool key Tab Down
xdotool key alt+m Down
xdotool key Return
until_true 30 eval '! has_window "断面・材料"' || fail "the section dialog did not close on Enter"
xdotool key ctrl+s
section_saved() {
  "$BUILD/tools/vbdtool" dump "$WORK/entered.vbd" | python3 -c '
import json, sys
s = json.load(sys.stdin).get("section", {})
sys.exit(0 if s.get("name", "").startswith("H-") and s["E"] > 0 and s["I"] > 0 else 1)'
}
until_true 30 section_saved || fail "the section chosen by keyboard was not saved"
on_screen() {
  eval "$(xdotool getwindowgeometry --shell "$(window_named Vantrel)")"
  [ $((X + WIDTH)) -le "$(xdpyinfo | awk '/dimensions:/ { split($2, D, "x"); print D[1] }')" ]
}
until_true 10 on_screen || fail "the window grew past the screen's edge"
import -window root "$SHOTS/window_with_section.png"

# A continuous beam by keyboard alone: 編集 → 梁の種類 → 連続梁 (the last
# item), then 編集 → 支点, one more support at 6 m, Enter; 上書き保存 keeps
# the list.
xdotool key alt+e b Up Return
xdotool key alt+e p
until_true 30 focus_is "支点" || fail "no support dialog"
# The button clicks a moment after its key (showing itself pressed in
# between): typing waits for the dialog to grow by the new row.
DIALOG=$(window_named "^支点$")
dialog_height() { xdotool getwindowgeometry --shell "$DIALOG" | sed -n 's/^HEIGHT=//p'; }
BEFORE=$(dialog_height)
xdotool key alt+a
row_added() { [ "$(dialog_height)" -gt "$BEFORE" ]; }
until_true 30 row_added || fail "支点を追加 added no row"
xdotool type --delay 20 "6"
xdotool key Return
until_true 30 eval '! has_window "^支点$"' || fail "the support dialog did not close on Enter"
xdotool key ctrl+s
supports_saved() {
  "$BUILD/tools/vbdtool" dump "$WORK/entered.vbd" | python3 -c '
import json, sys
d = json.load(sys.stdin)
got = (d["type"], [(s["x"], s["kind"]) for s in d["supports"]])
sys.exit(0 if got == (6, [(0, "pin"), (4, "roller"), (6, "roller"), (8, "roller")]) else 1)'
}
until_true 30 supports_saved || fail "the supports entered by keyboard were not saved"
import -window root "$SHOTS/window_continuous.png"

if [ "$FAILED" -eq 0 ]; then
  echo "window under X: all checks passed"
else
  echo "window under X: $FAILED check(s) failed"
fi
[ "$FAILED" -eq 0 ]
