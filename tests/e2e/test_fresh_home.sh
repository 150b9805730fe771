#!/usr/bin/env bash
# End to end: what the program writes. Runs it twice with an empty HOME, an empty working
# folder and an empty TMPDIR: once with the XDG folder variables unset (the defaults under
# HOME), once with them pointing elsewhere. Each run loads the three pages and is closed
# with Alt+F4; then every file that appeared is listed, and each must lie in Puzzlebin's
# own data, cache or config folder.
#   tests/e2e/test_fresh_home.sh <build dir>
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" bash "$0" "$build"
fi
source "$here/e2e_lib.sh"
artifacts="$build/e2e-artifacts"
mkdir -p "$artifacts"
program="$build/app/puzzlebin"
[ -x "$program" ] || { echo "FAIL: $program not built" >&2; exit 1; }
allow_unsandboxed_web_content

work=$(mktemp -d)
pid=""
trap 'stop_program; rm -rf "$work"' EXIT

# run_once <name> <allowed paths (extended regex)> <data folder> <cache folder> [VAR=value...]:
# runs the program in $work/<name> until its pages have loaded, closes it, lists what it
# wrote there (paths relative to $work/<name>) and checks that against the allowed paths.
run_once() {
  local name=$1 allowed=$2 data=$3 cache=$4
  shift 4
  local dir="$work/$name"
  mkdir -p "$dir/home" "$dir/cwd" "$dir/tmp"
  log="$artifacts/fresh-home-$name-events.log"
  env -C "$dir/cwd" -u XDG_DATA_HOME -u XDG_CACHE_HOME -u XDG_CONFIG_HOME -u XDG_STATE_HOME \
    HOME="$dir/home" TMPDIR="$dir/tmp" "$@" PUZZLEBIN_TEST_EVENTS=1 "$program" 2>"$log" &
  pid=$!
  if ! wait_for 30 xdotool search --all --onlyvisible --pid "$pid" --name '^Puzzlebin' >/dev/null; then
    fail "$name: the main window did not appear"; stop_program; return
  fi
  local win
  win=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Puzzlebin' | head -n1)
  for pane in ContentWB NavWB quillMartWB; do
    wait_for 30 has_loaded "$pane" '' || fail "$name: $pane did not load its page"
  done
  close_with_alt_f4 "$win"

  local written stray
  written=$(cd "$dir" && find . -mindepth 1 \( -type f -o -type l -o -type s -o -type p \) | sort)
  echo "-- $name: files written (relative to the run's folder)"
  printf '%s\n' "$written" | sed '/^$/d; s/^/   /'
  stray=$(printf '%s\n' "$written" | grep -Ev "$allowed" | sed '/^$/d' || true)
  [ -z "$stray" ] && pass "$name: everything written lies in Puzzlebin's own folders" ||
    fail "$name: written outside Puzzlebin's folders: $(echo $stray)"
  grep -q "^${data//./\\.}/" <<<"$written" && pass "$name: web data kept in $data" || fail "$name: nothing in $data"
  grep -q "^${cache//./\\.}/" <<<"$written" && pass "$name: web caches kept in $cache" || fail "$name: nothing in $cache"
}

run_once defaults '^\./home/(\.local/share|\.cache|\.config)/puzzlebin/' \
  ./home/.local/share/puzzlebin/webkit ./home/.cache/puzzlebin/webkit
run_once xdg-set '^\./xdg/(data|cache|config)/puzzlebin/' ./xdg/data/puzzlebin/webkit ./xdg/cache/puzzlebin/webkit \
  XDG_DATA_HOME="$work/xdg-set/xdg/data" XDG_CACHE_HOME="$work/xdg-set/xdg/cache" XDG_CONFIG_HOME="$work/xdg-set/xdg/config"
finish
