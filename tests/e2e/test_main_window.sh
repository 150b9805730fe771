#!/usr/bin/env bash
# End to end: the real program's skinned main window under X with a window manager. The
# window has the mask's shape and the skin's caption with "Puzzlebin V1.0.0"; a right click
# on the caption opens the skinned window menu with "Close" and "Alt+F4"; the caption moves
# the window, the bottom-right border sizes it and the panes follow; choosing "Close" ends
# the program with exit code 0; in a second run the close button at (W - 29, 7) does too.
#   tests/e2e/test_main_window.sh <build dir>
# Without DISPLAY it starts Xvfb and openbox itself. Every wait has a deadline.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" bash "$0" "$build"
fi

program="$build/app/puzzlebin"
xshape="$build/tools/skindemo/pb_xshape"
artifacts=${PB_E2E_ARTIFACTS:-$build/e2e-artifacts}
mkdir -p "$artifacts"
[ -x "$program" ] && [ -x "$xshape" ] || { echo "FAIL: $program or $xshape not built" >&2; exit 1; }
source "$here/e2e_lib.sh"
allow_unsandboxed_web_content

pid=""
log=""
export XDG_CONFIG_HOME=$(mktemp -d) XDG_DATA_HOME=$(mktemp -d) XDG_CACHE_HOME=$(mktemp -d)
cleanup() { stop_program; rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"; }
trap cleanup EXIT

event() { grep -m1 "^puzzlebin-event: $1" "$log" 2>/dev/null; }
has_event() { event "$1" >/dev/null; }
ended_with_zero() {
  local deadline=$((SECONDS + 20)) status
  while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.05; done
  if kill -0 "$pid" 2>/dev/null; then fail "the program did not end after $1"; return; fi
  set +e; wait "$pid"; status=$?; set -e
  pid=""
  [ "$status" = 0 ] && pass "$1 ended the program with exit code 0" || fail "exit code $status after $1"
}

start() {
  log="$artifacts/main-window-$1.log"
  : >"$log"
  PUZZLEBIN_TEST_EVENTS=1 "$program" 2>"$log" &
  pid=$!
  wait_for 30 xdotool search --onlyvisible --all --pid "$pid" --name '^Puzzlebin V1\.0\.0$' >/dev/null ||
    { fail "the main window did not appear"; cat "$log" >&2; finish; }
  win=$(xdotool search --onlyvisible --all --pid "$pid" --name '^Puzzlebin V1\.0\.0$' | head -n1)
  wait_for 10 has_event shown || fail "no 'shown' event"
}

# ---- First run: shape, caption, window menu, moving, sizing, closing by the menu ----
start menu
geometry "$win"
[ "$WIDTH x $HEIGHT" = "803 x 537" ] && pass "window 803 x 537 (777 x 491 inside borders of 13/33/13/13)" ||
  fail "window $WIDTH x $HEIGHT"
extent() { "$xshape" "$win" | awk 'NR == 1 { l = $1; t = $2; r = $1 + $3; b = $2 + $4 }
    { if ($1 < l) l = $1; if ($2 < t) t = $2; if ($1 + $3 > r) r = $1 + $3; if ($2 + $4 > b) b = $2 + $4 }
    END { print l, t, r, b }'; }
shaped() { [ "$(extent)" = "5 5 $((WIDTH - 5)) $((HEIGHT - 4))" ]; }
wait_for 10 shaped && pass "shaped by the mask ($(extent))" || fail "the shape spans $(extent)"
corner_cut() { [ "$(screen_pixel $((X + 5)) $((Y + 5)))" = "#000000" ]; }
wait_for 10 corner_cut && pass "the rounded corner is cut away" || fail "the window's corner shows $(screen_pixel $((X + 5)) $((Y + 5)))"

wait_for 30 has_loaded ContentWB '/soft/pb/1\.html' || fail "the content pane did not load"
wait_for 30 has_loaded NavWB '/soft/pb/index\.html' || fail "the navigation pane did not load"
shot main-window-start
# The caption's white text is drawn in its box (89, 7) - (116 + W - 204, 24).
white=$(convert "$artifacts/main-window-start.png" -crop "$((116 + WIDTH - 204 - 89))x17+$((X + 89))+$((Y + 7))" \
  +repage -fill black +opaque white -format '%[fx:int(mean*w*h)]' info:)
[ "$(xdotool getwindowname "$win")" = "Puzzlebin V1.0.0" ] && [ "$white" -gt 40 ] &&
  pass "the caption shows \"Puzzlebin V1.0.0\" ($white white pixels)" || fail "caption text missing ($white white pixels)"

# Right click on the caption: the skinned window menu at the cursor.
xdotool mousemove --sync $((X + 300)) $((Y + 15)) click 3
wait_for 10 has_event menu || fail "no window menu opened"
read -r _ _ mx my mw mh _ ix iy iw ih items < <(event menu)
[ "$items" = "&Close=Alt+F4;" ] && pass "the window menu holds \"Close\" with \"Alt+F4\"" || fail "menu items: $items"
[ "$mx $my" = "$((X + 300)) $((Y + 15))" ] && pass "the menu opened at the cursor" || fail "the menu opened at $mx,$my"
menu_shown() { [ "$(visible_windows)" -ge 2 ]; }
wait_for 10 menu_shown && pass "the menu is a window of its own" || fail "no menu window is mapped"
menu_painted() { p=$(screen_pixel $((ix + iw / 2)) $((iy + 2))); [ -n "$p" ] && [ "$p" != "#000000" ]; }
wait_for 10 menu_painted || fail "the menu is not painted"
shot main-window-menu
xdotool key Escape
menu_gone() { [ "$(visible_windows)" = 1 ]; }
wait_for 10 menu_gone && pass "Escape closes the menu" || fail "the menu stayed after Escape"

# Dragging the caption moves the window.
geometry "$win"; x0=$X; y0=$Y
gx=$((x0 + 400)); gy=$((y0 + 15))
xdotool mousemove --sync $gx $gy mousedown 1
for i in 1 2 3 4; do xdotool mousemove --sync $((gx - 15 * i)) $((gy + 10 * i)); done
xdotool mouseup 1
moved() { geometry "$win"; [ "$X" = $((x0 - 60)) ] && [ "$Y" = $((y0 + 40)) ]; }
wait_for 10 moved && pass "the caption drag moved the window by (-60, +40)" ||
  fail "the window is at $X,$Y after the drag, expected $((x0 - 60)),$((y0 + 40))"

# Dragging the bottom-right border sizes it; the panes follow.
geometry "$win"; x1=$X; y1=$Y; w1=$WIDTH; h1=$HEIGHT
cx=$((x1 + w1 - 8)); cy=$((y1 + h1 - 10))
xdotool mousemove --sync $cx $cy mousedown 1
for i in 1 2 3 4 5; do xdotool mousemove --sync $((cx + 20 * i)) $((cy + 10 * i)); done
xdotool mouseup 1
resized() { geometry "$win"; [ "$WIDTH" = $((w1 + 100)) ] && [ "$HEIGHT" = $((h1 + 50)) ]; }
wait_for 10 resized && pass "the border drag sized the window to $WIDTH x $HEIGHT" || fail "window $WIDTH x $HEIGHT after the border drag"
sized_line() { grep "^puzzlebin-event: sized .* 877 541 " "$log" | tail -n 1; }
wait_for 10 sized_line >/dev/null || fail "no 'sized' event for 877 x 541"
read -r _ _ _ _ _ _ _ kx ky kw kh _ nx ny nw nh _ < <(sized_line)
[ "$kw x $kh" = "871 x 372" ] && [ "$nw" = 871 ] && pass "the panes follow (content $kw x $kh, navigation width $nw)" ||
  fail "content pane $kw x $kh, navigation width $nw"
shape_followed() { [ "$(extent)" = "5 5 $((WIDTH - 5)) $((HEIGHT - 4))" ]; }
wait_for 10 shape_followed || fail "the shape spans $(extent) at $WIDTH x $HEIGHT"
page_there() {
  shot main-window-resized
  [ "$(colours "$artifacts/main-window-resized.png" "90x60+$((kx + kw - 95))+$((ky + 100))")" -gt 2 ] ||
    [ "$(screen_pixel $((kx + kw - 40)) $((ky + 40)))" != "#000000" ]
}
wait_for 10 page_there && pass "the content pane's page fills its new width" || fail "the widened content pane looks empty"

# Choosing "Close" in the window menu ends the program.
before=$(grep -c '^puzzlebin-event: menu' "$log")
geometry "$win"
xdotool mousemove --sync $((X + 300)) $((Y + 15)) click 3
second_menu() { [ "$(grep -c '^puzzlebin-event: menu' "$log")" -gt "$before" ]; }
wait_for 10 second_menu || fail "the window menu did not open again"
read -r _ _ _ _ _ _ _ ix iy iw ih _ < <(grep '^puzzlebin-event: menu' "$log" | tail -n 1)
wait_for 10 menu_shown || true
xdotool mousemove --sync $((ix + iw / 2)) $((iy + ih / 2))
xdotool click 1
ended_with_zero "the window menu's Close"

# ---- Second run: the close button ----
start button
geometry "$win"
bx=$((X + WIDTH - 29 + 9)); by=$((Y + 7 + 9))
xdotool mousemove --sync "$bx" "$by"
shot main-window-close-button
xdotool click 1
ended_with_zero "the close button at (W - 29, 7)"

finish "screenshots in $artifacts"
