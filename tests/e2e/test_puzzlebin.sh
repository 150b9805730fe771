#!/usr/bin/env bash
# End to end: the real program with WebKit and the bundled site under X.
#   tests/e2e/test_puzzlebin.sh <build dir>
# Without DISPLAY it starts Xvfb and openbox itself (scripts/with-display). Screenshots go
# to <build dir>/e2e-artifacts/. Every wait has a deadline; nothing sleeps a fixed time.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)

if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" bash "$0" "$build"
fi

program="$build/app/puzzlebin"
artifacts="$build/e2e-artifacts"
mkdir -p "$artifacts"
log="$artifacts/puzzlebin-events.log"
: >"$log"
[ -x "$program" ] || { echo "FAIL: $program not built" >&2; exit 1; }
source "$here/e2e_lib.sh"
allow_unsandboxed_web_content

# The program's settings (its user-agent token) go to a folder of the test's own.
export XDG_CONFIG_HOME=$(mktemp -d)
settings="$XDG_CONFIG_HOME/puzzlebin/settings.ini"
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$XDG_CONFIG_HOME"
}
trap cleanup EXIT

count_loaded() { grep -c "^puzzlebin-event: loaded $1 .*$2\$" "$log" 2>/dev/null || true; }

# ---- Start ----
PUZZLEBIN_TEST_EVENTS=1 "$program" 2>"$log" &
pid=$!

wait_for 30 xdotool search --onlyvisible --pid "$pid" --name '^Puzzlebin V1\.0\.0$' >/dev/null ||
  { fail "the main window did not appear"; cat "$log" >&2; exit 1; }
win=$(xdotool search --onlyvisible --pid "$pid" --name '^Puzzlebin V1\.0\.0$' | head -n1)
pass "main window mapped"

# Client size and centring.
wait_for 10 grep -q '^puzzlebin-event: shown ' "$log" || fail "no 'shown' diagnostic"
read -r _ _ cx cy cw ch _ tx ty tw th < <(grep -m1 '^puzzlebin-event: shown ' "$log")
[ "$cw" = 777 ] && [ "$ch" = 491 ] && pass "client area 777 x 491" || fail "client area $cw x $ch"
eval "$(xdotool getwindowgeometry --shell "$win")"   # X Y WIDTH HEIGHT of the window
read -r sw sh < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
dx=$(( X - (sw - WIDTH) / 2 )); dy=$(( Y - (sh - HEIGHT) / 2 ))
if [ "${dx#-}" -le 1 ] && [ "${dy#-}" -le 1 ]; then
  pass "window centred ($X,$Y ${WIDTH}x$HEIGHT on ${sw}x$sh)"
else
  fail "window not centred: at $X,$Y size ${WIDTH}x$HEIGHT on ${sw}x$sh"
fi

# ---- The three panes load their start pages ----
wait_for 30 has_loaded ContentWB '/soft/pb/1\.html' || fail "content pane did not load soft/pb/1.html"
wait_for 30 has_loaded NavWB '/soft/pb/index\.html' || fail "navigation pane did not load soft/pb/index.html"
wait_for 30 has_loaded quillMartWB '/site/[^/]*' || fail "author's pane did not load the site's own page"
shot puzzlebin-start

read -r _ _ _ nx ny nw nh _ < <(loaded_line NavWB '/soft/pb/index\.html')
read -r _ _ _ kx ky kw kh _ < <(loaded_line ContentWB '/soft/pb/1\.html')
[ "$nw x $nh" = "771 x 75" ] && pass "navigation pane 771 x 75" || fail "navigation pane $nw x $nh"
[ "$kw x $kh" = "771 x 322" ] && pass "content pane 771 x 322" || fail "content pane $kw x $kh"
for pane in "navigation ${nw}x${nh}+${nx}+${ny}" "content ${kw}x${kh}+${kx}+${ky}"; do
  set -- $pane
  wait_for 10 shows_page "$artifacts/puzzlebin-start.png" "$2" || true
  n=$(colours "$artifacts/puzzlebin-start.png" "$2")
  [ "$n" -gt 30 ] && pass "$1 pane shows its page ($n colours)" || fail "$1 pane looks blank ($n colours)"
done
# The strip's red "智力题" badge sits at its left edge.
read -r r g b < <(shot_pixel puzzlebin-start $((nx + 20)) $((ny + 20)))
[ "$r" -gt 150 ] && [ "$g" -lt 110 ] && [ "$b" -lt 90 ] && pass "navigation strip badge drawn" ||
  fail "navigation strip badge not found (colour $r $g $b)"

# ---- A puzzle link in the navigation pane shows in the content pane, no new window ----
windows_before=$(visible_windows)
# Chip 3 (first row, target="_blank") and chip 9 (second row, window.open): the strip is a
# grid of a 52-pixel badge and seven equal columns inside 5-pixel padding.
col=$(( (nw - 10 - 52 - 7 * 4) / 7 ))
click_chip() {  # <column 0-6> <row 0-1>
  xdotool mousemove --sync $((nx + 5 + 52 + 4 + $1 * (col + 4) + col / 2)) $((ny + 5 + $2 * 34 + 15)) click 1
}
click_chip 2 0
wait_for 20 has_loaded ContentWB '/soft/pb/3\.html' && pass "target=_blank link shown in the content pane" ||
  fail "puzzle 3 did not load in the content pane"
click_chip 1 1
wait_for 20 has_loaded ContentWB '/soft/pb/9\.html' && pass "window.open link shown in the content pane" ||
  fail "puzzle 9 did not load in the content pane"
shot puzzlebin-after-click
windows_after=$(visible_windows)
[ "$windows_after" = "$windows_before" ] && [ "$windows_after" = 1 ] && pass "no other window opened" ||
  fail "top-level windows: $windows_before before, $windows_after after"
[ "$(count_loaded NavWB '/soft/pb/index\.html')" = 1 ] && ! grep -q "^puzzlebin-event: loaded NavWB .*/soft/pb/[0-9]" "$log" &&
  pass "navigation pane stayed on its strip" || fail "the navigation pane navigated away"

# ---- The second tab shows the author's page ----
xdotool mousemove --sync $((tx + tw / 2)) $((ty + th / 2)) click 1
read -r _ _ _ qx qy qw qh _ < <(loaded_line quillMartWB '/site/[^/]*')
shop_header_shown() {
  shot puzzlebin-author-tab
  local r g b
  read -r r g b < <(shot_pixel puzzlebin-author-tab $((qx + 450)) $((qy + 6)))
  [ "$r" -lt 110 ] && [ "$b" -gt "$r" ]
}
wait_for 10 shop_header_shown && pass "author's site shown on the second tab ($qw x $qh)" ||
  fail "the author's page is not visible after switching tabs"

grep -qF '=' "$settings" 2>/dev/null && grep -qF 'Puzzlebin WebPane' "$settings" &&
  pass "the panes' user-agent token is registered" || fail "no user-agent token in $settings"

# ---- Closing the window ends the program with exit code 0 ----
close_with_alt_f4 "$win"
if [ -z "$pid" ]; then
  ! grep -qF 'Puzzlebin WebPane' "$settings" && pass "the user-agent token is withdrawn at the end" ||
    fail "the user-agent token is still registered after the end"
fi

finish "screenshots and events in $artifacts"
