#!/bin/bash
# End-to-end test of the UI demo on a real X server with a window manager: the demo's
# window opens centred at its size, moves by its caption and resizes by its corner through the
# framework's own move/resize loop, and closes with Alt+F4 with exit code 0.
# Usage: test_uidemo.sh <build dir>. Without DISPLAY it starts Xvfb and openbox itself.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec "$root/scripts/with-display" bash "$0" "$@"
fi
build=$(cd "${1:?usage: test_uidemo.sh <build dir>}" && pwd)
demo="$build/tools/uidemo/pb_uidemo"
artifacts=${PB_E2E_ARTIFACTS:-$build/e2e-artifacts}
mkdir -p "$artifacts"
[ -x "$demo" ] || { echo "FAIL: $demo not built"; exit 1; }
source "$here/e2e_lib.sh"

"$demo" >"$artifacts/uidemo.log" 2>&1 &
pid=$!
trap stop_program EXIT

find_window() { win=$(xdotool search --onlyvisible --pid $pid --name '^Puzzlebin UI demo$' 2>/dev/null | head -n 1); [ -n "$win" ]; }
wait_until 20 find_window || { fail "the demo window did not appear"; cat "$artifacts/uidemo.log"; exit 1; }

# 640x420 client inside a 24-pixel caption band and 4-pixel borders, centred on the screen.
read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
expected_w=648; expected_h=452
expected_x=$(((screen_w - expected_w) / 2)); expected_y=$(((screen_h - expected_h) / 2))
placed() { geometry "$win"; [ "$W" = $expected_w ] && [ "$H" = $expected_h ] && [ "$X" = $expected_x ] && [ "$Y" = $expected_y ]; }
wait_until 10 placed || fail "window at ${X},${Y} ${W}x${H}, expected ${expected_x},${expected_y} ${expected_w}x${expected_h}"

# Drag the caption by (+120, +60) in steps.
geometry "$win"; x0=$X; y0=$Y
gx=$((x0 + 200)); gy=$((y0 + 4 + 12))
xdotool mousemove --sync $gx $gy mousedown 1
for i in 1 2 3 4 5 6; do xdotool mousemove --sync $((gx + 20 * i)) $((gy + 10 * i)); done
xdotool mouseup 1
moved() { geometry "$win"; [ "$X" = $((x0 + 120)) ] && [ "$Y" = $((y0 + 60)) ]; }
wait_until 10 moved || fail "caption drag moved the window to ${X},${Y}, expected $((x0 + 120)),$((y0 + 60))"
geometry "$win"
[ "$W" = $expected_w ] && [ "$H" = $expected_h ] || fail "moving changed the size to ${W}x${H}"

# Drag the bottom-right corner by (+80, +50).
geometry "$win"; x1=$X; y1=$Y; w1=$W; h1=$H
cx=$((x1 + w1 - 2)); cy=$((y1 + h1 - 2))
xdotool mousemove --sync $cx $cy mousedown 1
for i in 1 2 3 4 5; do xdotool mousemove --sync $((cx + 16 * i)) $((cy + 10 * i)); done
xdotool mouseup 1
resized() { geometry "$win"; [ "$W" = $((w1 + 80)) ] && [ "$H" = $((h1 + 50)) ]; }
wait_until 10 resized || fail "corner drag gave ${W}x${H}, expected $((w1 + 80))x$((h1 + 50))"
geometry "$win"
[ "$X" = $x1 ] && [ "$Y" = $y1 ] || fail "resizing by the bottom-right corner moved the window to ${X},${Y}"

import -window root "$artifacts/uidemo-screen.png" || fail "screenshot failed"

# Alt+F4 sent to the window itself (the window goes while the key is still being released,
# so xdotool's complaint about the vanished window is expected).
xdotool key --window "$win" alt+F4 2>/dev/null
expect_exit 15 "the demo after Alt+F4"

[ "$failures" = 0 ] || cat "$artifacts/uidemo.log"
finish "window placed, moved, resized and closed"
