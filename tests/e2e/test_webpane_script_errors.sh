#!/usr/bin/env bash
# End to end: a page's script errors over real WebKit follow the pane's ScriptErrorAction
# (suppressed and run on, cancelled, or the user asked), on a page served by a loopback
# server that the test starts and stops.
#   tests/e2e/test_webpane_script_errors.sh <build dir>
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../../build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec "$(dirname "$0")/../../scripts/with-display" bash "$0" "$build"
fi
source "$(dirname "$0")/webpane_lib.sh"

start_server site site "$here/pages" "$work/site.log"
site="http://127.0.0.1:$port"

# The page throws while loading, pings the server from a timer three seconds later (time
# enough for the host's answer to reach the page on a busy machine), and loads an image the
# server answers after seven seconds: once that is done, the pings tell whether the page's
# scripts ran on. Scripts that run on are seen as soon as they have pinged ten times; that
# case comes last, as its slow image is still on its way when the pane is closed.
pings() { grep -c '^GET /ping?after-error' "$work/site.log" || true; }
pinged() { [ "$(pings)" -ge "$1" ]; }
slow_done() { grep -q '^SLOW done' "$work/site.log"; }

: >"$work/site.log"
start_pane_only error-cancel "    DisableErrors.ScriptErrorsSuppressed = False
    ScriptErrorAction = eaCancel" "$site/script_error.html"
wait_for 30 slow_done || fail "the page's slow image never finished"
n=$(pings)
[ "$n" = 0 ] && pass "eaCancel: the page's scripts stop after the error" ||
  fail "eaCancel: scripts still ran after the error ($n pings)"
stop_program

: >"$work/site.log"
find_error_dialog() { dialog=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Web Browser:  Script Error$' 2>/dev/null | head -n1); [ -n "$dialog" ]; }
dialog_gone() { ! find_error_dialog; }
start_pane_only error-ask "    DisableErrors.ScriptErrorsSuppressed = False
    ScriptErrorAction = eaAskUser" "$site/script_error.html"
if wait_for 15 find_error_dialog; then
  pass "eaAskUser: the user is asked in 'Web Browser:  Script Error'"
  shot script-error-dialog
  xdotool windowfocus --sync "$dialog" key --clearmodifiers Escape 2>/dev/null || true
  wait_for 10 dialog_gone || fail "the script-error dialog did not close on Escape (No)"
  answered=$(pings)
  slow_done && fail "the test answered only after the page's last image; nothing was shown"
  wait_for 30 slow_done || fail "the page's slow image never finished"
  n=$(pings)
  [ $((n - answered)) -le 1 ] && pass "eaAskUser answered No: the page's scripts stop ($answered pings before, $n after)" ||
    fail "scripts ran on after No ($answered pings when answered, $n later)"
else
  fail "eaAskUser: no script-error dialog appeared"
fi
stop_program

: >"$work/site.log"
start_pane_only error-continue "" "$site/script_error.html"
wait_for 30 pinged 10 && pass "suppressed script errors: the page's scripts keep running ($(pings) pings)" ||
  fail "scripts stopped after a suppressed error ($(pings) pings)"
stop_program

finish "logs and screenshots in $artifacts"
