#!/usr/bin/env bash
# End to end: hostile pages in the program's navigation pane over real WebKit: a page that
# calls window.open a thousand times, one that raises alerts in a loop, one that redirects
# to itself forever, one that builds a huge DOM. Each time the program must stay
# responsive (its window follows a caption drag and goes on Alt+F4 within a second), open
# no stray window, and exit with code 0.
#   tests/e2e/test_hostile_pages.sh <build dir>
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../../build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec "$(dirname "$0")/../../scripts/with-display" bash "$0" "$build"
fi
source "$(dirname "$0")/webpane_lib.sh"

start_server site site "$here/pages" "$work/site.log"
site="http://127.0.0.1:$port"

now_ms() { date +%s%3N; }
# within_ms <ms> <command...>: true when the command succeeds before the deadline.
within_ms() {
  local deadline=$(( $(now_ms) + $1 )); shift
  until "$@"; do
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 0.02
  done
}
# Windows of the program other than the main window and our own dialogs.
stray_windows() {
  local n=0 w name
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    name=$(xdotool getwindowname "$w" 2>/dev/null || true)
    [ "$w" = "$win" ] || [[ "$name" == "Web Browser:"* ]] || n=$((n + 1))
  done
  echo "$n"
}
nav_loaded() { grep -q "^driver-event: loaded NavWB .*$1" "$log"; }

# The checks every hostile page gets; $1 names it.
responsive_and_exits() {
  local name=$1
  shot "hostile-$name"
  [ "$(stray_windows)" = 0 ] && pass "$name: no stray window" || fail "$name: $(stray_windows) stray window(s)"
  # A caption drag moves the window, and the move shows within a second of the release.
  geometry "$win"; local x0=$X y0=$Y
  local gx=$((x0 + 200)) gy=$((y0 + 10))
  xdotool mousemove --sync $gx $gy mousedown 1
  for i in 1 2 3 4; do xdotool mousemove --sync $((gx + 15 * i)) $((gy + 10 * i)); done
  xdotool mouseup 1
  moved() { geometry "$win"; [ "$X" = $((x0 + 60)) ] && [ "$Y" = $((y0 + 40)) ]; }
  within_ms 1000 moved && pass "$name: the window follows a caption drag" ||
    fail "$name: after the drag the window is at $X,$Y, expected $((x0 + 60)),$((y0 + 40))"
  # Alt+F4 takes the window down within a second; the program then ends with code 0.
  xdotool key --window "$win" alt+F4 2>/dev/null || true
  gone() { ! xdotool getwindowname "$win" >/dev/null 2>&1 || ! xwininfo -id "$win" 2>/dev/null | grep -q IsViewable; }
  within_ms 1000 gone && pass "$name: Alt+F4 closes the window within a second" || fail "$name: the window outlived Alt+F4"
  expect_exit 20 "$name"
}

# ---- window.open a thousand times, from a click in the navigation pane ----
start_main window-open "$site/hostile_window_open.html"
wait_for 30 nav_loaded hostile_window_open || fail "window-open: the navigation pane did not load the page"
read -r _ _ _ nx ny nw nh _ < <(grep -m1 '^driver-event: loaded NavWB .*hostile_window_open' "$log")
xdotool mousemove --sync $((nx + nw / 2)) $((ny + nh / 2)) click 1
requests() { grep -c '^driver-event: newwindow NavWB' "$log" || true; }
all_requests() { [ "$(requests)" = 1000 ]; }
wait_for 60 all_requests && pass "window-open: all 1000 requests reached the host" ||
  fail "window-open: $(requests) of 1000 new-window requests reached the host"
last_target() { grep -q '^driver-event: loaded ContentWB .*target.html?n=999$' "$log"; }
wait_for 30 last_target && pass "window-open: the content pane shows the last requested page" ||
  fail "window-open: the content pane did not end on the last requested page"
responsive_and_exits window-open

# ---- alerts in a loop ----
start_main alert-loop "$site/hostile_alert_loop.html"
find_dialog() { dialog=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Web Browser:' 2>/dev/null | head -n1); [ -n "$dialog" ]; }
wait_for 30 find_dialog && pass "alert-loop: the page's alert is shown in our dialog" || fail "alert-loop: no dialog"
dialogs=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Web Browser:' 2>/dev/null | wc -l)
[ "$dialogs" = 1 ] && pass "alert-loop: one dialog at a time" || fail "alert-loop: $dialogs dialogs at once"
responsive_and_exits alert-loop

# ---- a page that redirects to itself forever ----
start_main redirect-loop "$site/hostile_redirect.html"
wait_for 30 grep -q '^driver-event: title NavWB redirect loop' "$log" || fail "redirect-loop: the page never loaded"
responsive_and_exits redirect-loop
loads=$(grep -c "^GET /hostile_redirect.html" "$work/site.log" || true)
echo "   redirect-loop: the page was requested $loads times"

# ---- a huge DOM ----
start_main huge-dom "$site/hostile_huge_dom.html"
wait_for 60 grep -q '^driver-event: title NavWB huge DOM built' "$log" && pass "huge-dom: the page built its DOM" ||
  fail "huge-dom: the page did not finish"
responsive_and_exits huge-dom

finish "logs and screenshots in $artifacts"
