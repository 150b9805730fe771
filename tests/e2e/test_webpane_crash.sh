#!/usr/bin/env bash
# End to end: the program's panes when their web process dies. The three panes share one
# web process; killed, every pane brings its page back. Killed again at once, no pane
# reloads (no reload loop) and the program still closes normally.
#   tests/e2e/test_webpane_crash.sh <build dir>
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
log="$artifacts/webpane-crash-events.log"
: >"$log"
[ -x "$program" ] || { echo "FAIL: $program not built" >&2; exit 1; }
source "$here/e2e_lib.sh"
allow_unsandboxed_web_content

export XDG_CONFIG_HOME=$(mktemp -d)
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$XDG_CONFIG_HOME"
}
trap cleanup EXIT

# The program's web processes (its descendants of that name).
web_processes() {
  local all=("$pid") i=0 p
  while [ "$i" -lt "${#all[@]}" ]; do
    for p in $(ps -o pid= --ppid "${all[$i]}" 2>/dev/null); do all+=("$p"); done
    i=$((i + 1))
  done
  for p in "${all[@]}"; do
    [[ "$(cat "/proc/$p/comm" 2>/dev/null)" == WebKitWebProces* ]] && echo "$p"
  done
  return 0
}
loads() { grep -c '^puzzlebin-event: loaded ' "$log" || true; }
lines() { grep -c "$1" "$log" || true; }
at_least() { [ "$($1 "${@:3}")" -ge "$2" ]; }

PUZZLEBIN_TEST_EVENTS=1 "$program" 2>"$log" &
pid=$!
wait_for 30 at_least loads 3 || { fail "the three panes did not load"; cat "$log" >&2; finish; }
win=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Puzzlebin V1\.0\.0$' | head -n1)

mapfile -t shared < <(web_processes)
[ "${#shared[@]}" = 1 ] && pass "the three panes share one web process" ||
  fail "${#shared[@]} web processes for three panes"

kill -KILL "${shared[@]}"
wait_for 30 at_least loads 6 && pass "after the web process died every pane loaded its page again" ||
  fail "$(loads) loads after the web process died (6 expected)"
[ "$(lines 'ended; reloading the page')" = 3 ] && pass "one log line per pane brought back" ||
  fail "$(lines 'ended; reloading the page') reload lines in the log"

mapfile -t again < <(web_processes)
[ "${#again[@]}" -ge 1 ] && kill -KILL "${again[@]}"
wait_for 30 at_least lines 3 'ended again right after its page was reloaded' &&
  pass "killed again at once, the panes do not reload in a loop" ||
  fail "$(lines 'ended again') 'not reloaded' lines after the second kill"
[ "$(loads)" = 6 ] && pass "no pane reloaded after the second kill" || fail "$(loads) loads after the second kill"

close_with_alt_f4 "$win"
finish "screenshots in $artifacts"
