# Helpers every end-to-end test sources. Every wait has a deadline; nothing sleeps a fixed
# time. The caller sets `pid` (the program under test, empty while none runs), `log` (its
# event lines) and `artifacts` (where screenshots go).
failures=0
pid=${pid:-}
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# How often waits retry, in seconds (a test that measures a delay polls more often).
poll_seconds=${poll_seconds:-0.05}

# wait_for <seconds> <command...>: retries the command until it succeeds; gives up at the
# deadline. Once the program has ended the command gets one last try, so a wait for the
# program's own end (or for what it left behind) does not race with it.
wait_for() {
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; then
      "$@"
      return
    fi
    sleep "$poll_seconds"
  done
}

# wait_until <seconds> <shell condition>: wait_for with a condition written as one string
# ('[ "$(count)" = 2 ]', 'has_event "page 1"').
wait_until() {
  local seconds=$1; shift
  wait_for "$seconds" eval "$@"
}

exited() { [ -z "$pid" ] || ! kill -0 "$pid" 2>/dev/null; }

# expect_exit <seconds> <what>: waits for the program to end; passes when its exit code is
# 0. The program counts as gone afterwards either way (it is killed when it did not end).
expect_exit() {
  local status
  if wait_for "$1" exited; then
    wait "$pid" && status=0 || status=$?
    pid=""
    [ "$status" = 0 ] && pass "$2: exit code 0" || fail "$2: exit code $status"
  else
    fail "$2: the program did not end"
    stop_program
  fi
}

# Sets X Y (and W H) to window $1's place and size.
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)"
  W=${WIDTH:-} H=${HEIGHT:-}
}
visible_windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }

# shot <name>: the whole screen to $artifacts/<name>.png (a failed capture is no failure).
shot() { import -window root "$artifacts/$1.png" 2>/dev/null || true; }
# shot_pixel <name> <x> <y>: one pixel of a screenshot as "r g b" (0-255).
shot_pixel() {
  convert "$artifacts/$1.png" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]\n" info:
}
# screen_pixel <x> <y>: one pixel of the screen now, as #RRGGBB.
screen_pixel() { import -window root -crop "1x1+$1+$2" txt:- 2>/dev/null | tail -n 1 | grep -o '#[0-9A-F]\{6\}' | head -n 1; }

loaded_line() { grep -m1 "^puzzlebin-event: loaded $1 .*$2\$" "$log" 2>/dev/null; }
has_loaded() { loaded_line "$1" "$2" >/dev/null; }

# Distinct colours in a rectangle (WxH+X+Y) of a picture: a blank pane has one or two.
colours() { convert "$1" -crop "$2" +repage -format %k info:; }

# shows_page <picture> <WxH+X+Y>: takes the screen into the picture and is true when the
# rectangle has more than 30 colours (a page is drawn there). A pane's page reaches the
# screen a little after its load has finished, so tests wait for this.
shows_page() { import -window root "$1" 2>/dev/null && [ "$(colours "$1" "$2")" -gt 30 ]; }

# WebKit's sandbox needs user namespaces; test containers running as root may lack them.
allow_unsandboxed_web_content() {
  if [ "$(id -u)" = 0 ] && [ -z "${WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS:-}" ] &&
     ! unshare --user --map-root-user true 2>/dev/null; then
    export WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1
  fi
}

# close_with_alt_f4 <window>: presses Alt+F4 on the window and waits (20 s) for the program
# to end; passes when it ended with exit code 0.
close_with_alt_f4() {
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1" 2>/dev/null || true
  xdotool key --clearmodifiers alt+F4
  local deadline=$((SECONDS + 20)) status
  while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.05; done
  if kill -0 "$pid" 2>/dev/null; then
    fail "the program did not end after Alt+F4"
    return
  fi
  set +e; wait "$pid"; status=$?; set -e
  pid=""
  [ "$status" = 0 ] && pass "closed by Alt+F4 with exit code 0" || fail "exit code $status after Alt+F4"
}

# Ends the program if a check left it running; none runs afterwards.
stop_program() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  pid=""
}

finish() {
  if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed${1:+; $1}" >&2
    exit 1
  fi
  echo "all checks passed${1:+; $1}"
}
