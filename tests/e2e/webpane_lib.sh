# Shared by the end-to-end tests of the web panes (sourced, on top of e2e_lib.sh): the
# driver program, the loopback servers and the driver's windows and events. Expects $build
# (the build folder).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
source "$here/e2e_lib.sh"
driver="$build/tests/pb_e2e_driver"
artifacts="$build/e2e-artifacts"
mkdir -p "$artifacts"
[ -x "$driver" ] || { echo "FAIL: $driver not built" >&2; exit 1; }

allow_unsandboxed_web_content

work=$(mktemp -d)
# The program's settings (user-agent token ...) go to a folder of the test's own.
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"
server_pids=()

cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  for p in "${server_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# start_server <name> <mode> <args...>: starts fixture_server.py; its port in $port.
start_server() {
  local name=$1; shift
  local portfile="$work/$name.port"
  python3 "$here/fixture_server.py" "$@" "$portfile" &
  server_pids+=($!)
  wait_for 10 test -s "$portfile" || { echo "FAIL: server $name did not start" >&2; exit 1; }
  port=$(cat "$portfile")
}

# start_pane <log name> <stored properties> <address> [--recreate]: one pane in a form,
# once it has loaded the page. start_pane_only does not wait for the page.
start_pane_only() {
  log="$artifacts/$1.log"
  : >"$log"
  printf '%s\n' "$2" >"$work/pane.props"
  "$driver" --pane "$work/pane.props" "$3" ${4:-} 2>"$log" &
  pid=$!
}
start_pane() {
  start_pane_only "$@"
  wait_for 30 grep -q '^driver-event: loaded Pane ' "$log" || { fail "$1: the pane did not load $3"; tail -20 "$log" >&2; }
  read -r _ _ _ px py pw ph _ < <(grep -m1 '^driver-event: loaded Pane ' "$log") || true
}

# start_main <log name> <address> [<pane> [<address> <pane>]...]: the program's main window,
# its navigation pane (or the pane named after the address) sent to the address.
start_main() {
  log="$artifacts/$1.log"
  : >"$log"
  "$driver" --main "${@:2}" 2>"$log" &
  pid=$!
  wait_for 30 find_main || { fail "$1: the main window did not appear"; tail -20 "$log" >&2; return 1; }
}

find_main() { win=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Puzzlebin V1\.0\.0$' 2>/dev/null | head -n1); [ -n "$win" ]; }
find_pane_form() { win=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Pane test$' 2>/dev/null | head -n1); [ -n "$win" ]; }

has_event() { grep -q "^driver-event: $1" "$log"; }
title_is() { grep -q "^driver-event: title Pane $1\$" "$log"; }
