#!/bin/bash
# End-to-end test of the skinned controls in the UI demo on a real X server with a window
# manager: xdotool rolls the expanding panel up and down, switches tabs, holds the tab
# scroller until the tabs scroll, and closes the panel; screenshots of each step are kept.
# Usage: test_uidemo_skin_controls.sh <build dir>. Without DISPLAY it starts Xvfb and openbox.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec "$root/scripts/with-display" bash "$0" "$@"
fi
build=$(cd "${1:?usage: test_uidemo_skin_controls.sh <build dir>}" && pwd)
demo="$build/tools/uidemo/pb_uidemo"
artifacts=${PB_E2E_ARTIFACTS:-$build/e2e-artifacts}
mkdir -p "$artifacts"
log="$artifacts/uidemo-skin-events.log"
: >"$log"
[ -x "$demo" ] || { echo "FAIL: $demo not built"; exit 1; }
source "$here/e2e_lib.sh"
# Each step's screenshot; here a missing one counts as a failure.
shot() { import -window root "$artifacts/uidemo-skin-$1.png" 2>/dev/null || fail "screenshot $1"; }
has_event() { grep -q "^uidemo-event: $1" "$log"; }
# The latest layout line's points (window coordinates) moved to the screen by the window's
# place: roll, close, the second tab and the scroller's up button.
layout() {
    local rx ry cx cy tx ty ux uy
    read -r _ _ _ rx ry _ cx cy _ tx ty _ ux uy < <(grep '^uidemo-event: layout' "$log" | tail -n 1)
    eval "$(xdotool getwindowgeometry --shell "$win")"
    roll_x=$((X + rx)); roll_y=$((Y + ry)); close_x=$((X + cx)); close_y=$((Y + cy))
    tab_x=$((X + tx)); tab_y=$((Y + ty)); up_x=$((X + ux)); up_y=$((Y + uy)); scroller=$ux
}

PB_UIDEMO_EVENTS=1 "$demo" --skin-controls 2>"$log" &
pid=$!
trap stop_program EXIT

find_window() { win=$(xdotool search --onlyvisible --pid $pid --name '^Puzzlebin skinned controls$' 2>/dev/null | head -n 1); [ -n "$win" ]; }
wait_until 20 find_window || { fail "the demo window did not appear"; cat "$log"; exit 1; }
wait_until 10 'has_event layout' || { fail "no layout reported"; cat "$log"; exit 1; }
layout
[ "$scroller" -gt 0 ] && pass "the tabs overflow: the scroller is shown" || fail "no scroller although the tabs overflow"
shot start

# Roll the expanding panel up by its roll button, then down again.
xdotool mousemove --sync "$roll_x" "$roll_y" click 1
if wait_until 10 'has_event "rolled 1"'; then
    height=$(grep '^uidemo-event: rolled 1' "$log" | tail -n 1 | awk '{ print $4 }')
    [ "$height" -lt 40 ] && pass "rolled up to its ${height}-pixel bar" || fail "rolled height $height"
else
    fail "the roll button did not roll the panel up"
fi
shot rolled
layout
# The restore button may sit where the roll button was, under the pointer: a move with
# --sync to where the pointer already is waits some twenty seconds for a motion that never
# comes. The click follows the move on the same connection, so it lands on the new place.
xdotool mousemove "$roll_x" "$roll_y" click 1
if wait_until 10 'has_event "rolled 0"'; then
    height=$(grep '^uidemo-event: rolled 0' "$log" | tail -n 1 | awk '{ print $4 }')
    [ "$height" = 110 ] && pass "unrolled to its 110 pixels" || fail "unrolled height $height"
else
    fail "the restore button did not unroll the panel"
fi
layout

# Switch to the second tab.
xdotool mousemove --sync "$tab_x" "$tab_y" click 1
wait_until 10 'has_event "page 1"' && pass "the second tab was selected" || fail "clicking the second tab did not switch pages"
shot tab2

# Hold the scroller's up button until the tabs have scrolled by two.
layout
xdotool mousemove --sync "$up_x" "$up_y" mousedown 1
scrolled=0
wait_until 10 'has_event "first-tab 2"' && scrolled=1
xdotool mouseup 1
if [ $scrolled = 1 ]; then
    pass "holding the scroller scrolled the tabs"
else
    fail "holding the scroller did not scroll the tabs"
fi
shot scrolled

# Close the expanding panel.
layout
xdotool mousemove --sync "$close_x" "$close_y" click 1
wait_until 10 'has_event closed' && pass "the close button hid the panel" || fail "the close button did not hide the panel"
shot closed

xdotool key --window "$win" alt+F4 2>/dev/null
expect_exit 15 "the demo after Alt+F4"

[ "$failures" = 0 ] || cat "$log"
finish "rolled, unrolled, switched tabs, scrolled them and closed the panel"
