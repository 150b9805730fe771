# Helpers the end-to-end tests source. Every wait has a deadline; nothing sleeps a fixed
# time. The caller sets `pid` (the program under test) and `log` (its event lines).
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# wait_for <seconds> <command...>: retries the command every 50 ms until it succeeds; gives
# up at the deadline or when the program has ended.
wait_for() {
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.05
  done
}

loaded_line() { grep -m1 "^puzzlebin-event: loaded $1 .*$2\$" "$log" 2>/dev/null; }
has_loaded() { loaded_line "$1" "$2" >/dev/null; }

# Distinct colours in a rectangle (WxH+X+Y) of a picture: a blank pane has one or two.
colours() { convert "$1" -crop "$2" +repage -format %k info:; }

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

# Ends the program if a check left it running.
stop_program() {
  if [ -n "${pid:-}" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
}

finish() {
  if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed${1:+; $1}" >&2
    exit 1
  fi
  echo "all checks passed${1:+; $1}"
}
