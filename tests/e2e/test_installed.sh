#!/usr/bin/env bash
# End to end: the program as installed. Installs the build into a temporary DESTDIR,
# copies the installed tree to a fresh folder (so no path of the source, build or install
# step is valid any more), runs that copy with a fresh HOME from an empty working folder,
# and sees the three panes show the bundled pages, a puzzle link redirected into the content
# pane, and Alt+F4 end the program with exit code 0.
#   tests/e2e/test_installed.sh <build dir>
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

base=$(sed -n 's/^PB_SITE_BASE:STRING=//p' "$build/CMakeCache.txt")
[ -z "$base" ] || { echo "FAIL: this build takes its site from '$base'; the test needs the bundled site" >&2; exit 1; }

work=$(mktemp -d)
pid=""
trap 'stop_program; rm -rf "$work"' EXIT
DESTDIR="$work/dest" cmake --install "$build" --prefix /usr >/dev/null
mkdir "$work/copy" "$work/home" "$work/cwd"
cp -a "$work/dest/usr/." "$work/copy/"
rm -rf "$work/dest"
program="$work/copy/bin/puzzlebin"
[ -x "$program" ] && pass "installed program copied to a fresh folder" || { fail "no bin/puzzlebin installed"; finish; }
# The program must not name the source tree's site: the pages travel inside it.
if grep -qaF "$root/site" "$program"; then fail "the program names $root/site"; else pass "the program names no site folder of the source tree"; fi

allow_unsandboxed_web_content
log="$artifacts/installed-events.log"
env -C "$work/cwd" -u XDG_DATA_HOME -u XDG_CACHE_HOME -u XDG_CONFIG_HOME HOME="$work/home" \
  PUZZLEBIN_TEST_EVENTS=1 "$program" 2>"$log" &
pid=$!

wait_for 30 xdotool search --all --onlyvisible --pid "$pid" --name '^Puzzlebin V1\.0\.0$' >/dev/null ||
  { fail "the main window did not appear"; cat "$log" >&2; finish; }
win=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Puzzlebin V1\.0\.0$' | head -n1)
pass "main window mapped"

wait_for 30 has_loaded ContentWB ' puzzlebin://site/soft/pb/1\.html' || fail "content pane did not load the bundled soft/pb/1.html"
wait_for 30 has_loaded NavWB ' puzzlebin://site/soft/pb/index\.html' || fail "navigation pane did not load the bundled soft/pb/index.html"
wait_for 30 has_loaded quillMartWB ' puzzlebin://site/' || fail "author's pane did not load the bundled site"
if grep -q '^puzzlebin-event: failed' "$log"; then fail "a pane reported an error: $(grep -m1 '^puzzlebin-event: failed' "$log")"; fi
shot="$artifacts/installed-start.png"
for pane in NavWB ContentWB; do
  read -r _ _ _ x y w h _ < <(loaded_line "$pane" '')
  wait_for 10 shows_page "$shot" "${w}x${h}+${x}+${y}" || true
  n=$(colours "$shot" "${w}x${h}+${x}+${y}")
  [ "$n" -gt 30 ] && pass "$pane shows its bundled page ($n colours)" || fail "$pane looks blank or shows an error page ($n colours)"
done

# Puzzle 3 is a target="_blank" link in the first row of the navigation strip (a 52-pixel
# badge and seven equal columns inside 5-pixel padding): it must open in the content pane.
read -r _ _ _ nx ny nw _ _ < <(loaded_line NavWB '/soft/pb/index\.html')
col=$(( (nw - 10 - 52 - 7 * 4) / 7 ))
xdotool mousemove --sync $((nx + 5 + 52 + 4 + 2 * (col + 4) + col / 2)) $((ny + 5 + 15)) click 1
wait_for 20 has_loaded ContentWB ' puzzlebin://site/soft/pb/3\.html' && pass "new-window link redirected to the content pane" ||
  fail "puzzle 3 did not load in the content pane"
n=$(xdotool search --all --onlyvisible --pid "$pid" 2>/dev/null | wc -l || true)
[ "$n" = 1 ] && pass "no other window opened" ||
  fail "$n windows visible"

close_with_alt_f4 "$win"
finish "screenshots in $artifacts"
