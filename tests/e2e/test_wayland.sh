#!/usr/bin/env bash
# End to end on Wayland: Weston with its headless backend and Xwayland stands in for a
# Wayland desktop. The program, started with WAYLAND_DISPLAY set, runs through Xwayland
# (it asks GTK for the X11 backend); its window maps there at its size, its three panes
# load, and Alt+F4 ends it with exit code 0.
#   tests/e2e/test_wayland.sh <build dir>
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
source "$here/e2e_lib.sh"
artifacts="$build/e2e-artifacts"
mkdir -p "$artifacts"
program="$build/app/puzzlebin"
[ -x "$program" ] || { echo "FAIL: $program not built" >&2; exit 1; }
command -v weston >/dev/null || { echo "FAIL: weston is not installed (scripts/setup)" >&2; exit 1; }
allow_unsandboxed_web_content

runtime=$(mktemp -d)
chmod 700 "$runtime"
weston_log="$artifacts/weston.log"
: >"$weston_log"
pid=""
weston_pid=""
cleanup() {
  stop_program
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null || true
  rm -rf "$runtime"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR="$runtime" XDG_SESSION_TYPE=wayland
unset DISPLAY
weston --backend=headless-backend.so --xwayland --socket=wayland-pb --width=1280 --height=1024 \
  --idle-time=0 --log="$weston_log" >/dev/null 2>&1 &
weston_pid=$!
# Weston names Xwayland's display once it listens (Xwayland itself starts on first use).
pid=$weston_pid
xdisplay() { grep -o 'xserver listening on display :[0-9]*' "$weston_log" | grep -o ':[0-9]*$'; }
wait_for 20 xdisplay >/dev/null || { fail "weston did not start Xwayland"; tail -n 20 "$weston_log" >&2; finish; }
export WAYLAND_DISPLAY=wayland-pb DISPLAY=$(xdisplay)
pass "weston (headless) with Xwayland on $DISPLAY"

log="$artifacts/wayland-events.log"
PUZZLEBIN_TEST_EVENTS=1 "$program" 2>"$log" &
pid=$!
wait_for 30 xdotool search --all --onlyvisible --pid "$pid" --name '^Puzzlebin V1\.0\.0$' >/dev/null ||
  { fail "the main window did not map in Xwayland"; cat "$log" >&2; finish; }
win=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Puzzlebin V1\.0\.0$' | head -n1)
pass "main window mapped in Xwayland"

wait_for 10 grep -q '^puzzlebin-event: shown ' "$log" || fail "no 'shown' diagnostic"
read -r _ _ _ _ cw ch _ < <(grep -m1 '^puzzlebin-event: shown ' "$log")
[ "$cw x $ch" = "777 x 491" ] && pass "client area 777 x 491" || fail "client area $cw x $ch"
eval "$(xdotool getwindowgeometry --shell "$win")"   # WIDTH HEIGHT of the X window
if [ "$WIDTH" -ge 777 ] && [ "$HEIGHT" -ge 491 ] && [ "$WIDTH" -le $((777 + 40)) ] && [ "$HEIGHT" -le $((491 + 80)) ]; then
  pass "X window ${WIDTH} x ${HEIGHT} holds the client area and its frame"
else
  fail "X window ${WIDTH} x ${HEIGHT} in Xwayland"
fi
for pane in ContentWB NavWB quillMartWB; do
  wait_for 30 has_loaded "$pane" '' && pass "$pane loaded its page" || fail "$pane did not load its page"
done
import -window "$win" "$artifacts/wayland-window.png" 2>/dev/null || true

close_with_alt_f4 "$win"
finish "weston's log in $weston_log"
