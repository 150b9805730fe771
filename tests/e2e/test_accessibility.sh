#!/usr/bin/env bash
# End to end: the skinned parts as a screen reader reads them over AT-SPI. With the
# accessibility bus and registry of at-spi2-core on the test's own session bus, a small
# client of ours (tests/e2e/atspi_client.py, libatspi through Python's gi) finds the
# Puzzlebin window by its caption, lists the two tabs and selects the second (the author's
# page shows), then invokes the "click" action of the "Close" button (the program ends with
# exit code 0); on the skin gallery it walks the menu bar's menus and items and opens one.
#   tests/e2e/test_accessibility.sh <build dir>
# Without DISPLAY it starts Xvfb and openbox itself. Every wait has a deadline.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" --private bash "$0" "$build"
fi
# The accessibility bus is found through the session bus.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
  exec dbus-run-session -- bash "$0" "$build"
fi

program="$build/app/puzzlebin"
gallery="$build/tools/pbgallery/pbgallery"
client="$here/atspi_client.py"
# Debian's Python: one found earlier on PATH may lack gi.
python=/usr/bin/python3
artifacts=${PB_E2E_ARTIFACTS:-$build/e2e-artifacts}
mkdir -p "$artifacts"
[ -x "$program" ] && [ -x "$gallery" ] || { echo "FAIL: $program or $gallery not built" >&2; exit 1; }
source "$here/e2e_lib.sh"
allow_unsandboxed_web_content
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] && "$python" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
  { fail "at-spi2-core, python3-gi or gir1.2-atspi-2.0 missing (scripts/setup installs them)"; finish; }

# GTK publishes its accessible objects unless told not to.
unset NO_AT_BRIDGE GTK_A11Y

pid=""
log=""
bus_pid=""
export XDG_CONFIG_HOME=$(mktemp -d) XDG_DATA_HOME=$(mktemp -d) XDG_CACHE_HOME=$(mktemp -d)
cleanup() {
  stop_program
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null && wait "$bus_pid" 2>/dev/null
  rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
}
trap cleanup EXIT

# The accessibility bus, started before the programs so that their bridges find it.
"$launcher" --launch-immediately >>"$artifacts/accessibility-bus.log" 2>&1 &
bus_pid=$!
bus_up() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null |
    grep -q 'unix:'
}
wait_for 10 bus_up || { fail "the accessibility bus did not start"; finish; }

client_out="$artifacts/accessibility-client.txt"
: >"$client_out"
# run_client <command> <caption>: the client's lines go to the test's output and a file.
run_client() {
  "$python" "$client" "$1" "$pid" "$2" | tee -a "$client_out"
}
said() { grep -qxF "$1" "$client_out"; }

# ---- The main window: the tabs and the close button ----
log="$artifacts/accessibility-main.log"
PUZZLEBIN_TEST_EVENTS=1 "$program" 2>"$log" &
pid=$!
wait_for 30 xdotool search --onlyvisible --all --pid "$pid" --name '^Puzzlebin V1\.0\.0$' >/dev/null 2>&1 ||
  { fail "the main window did not appear"; finish; }
wait_for 30 has_loaded quillMartWB '/site/[^/]*' || fail "the author's pane did not load"
read -r _ _ _ qx qy _ < <(loaded_line quillMartWB '/site/[^/]*')

run_client tabs 'Puzzlebin V1.0.0' || fail "the client could not select the second tab"
said "frame: frame Puzzlebin V1.0.0" && pass "the window is a frame named by its caption" ||
  fail "no frame named \"Puzzlebin V1.0.0\""
said "tabs: 题在首页|作者网站" && said "selected before: 题在首页" &&
  pass "the page tab list holds the two tabs, the first selected" || fail "tabs as read: $(grep '^tabs\|^selected' "$client_out")"
said "selected: 作者网站" && pass "the accessible selection selected the second tab" ||
  fail "the second tab was not selected"
author_page_shown() {
  shot accessibility-author-tab
  local r g b
  read -r r g b < <(shot_pixel accessibility-author-tab $((qx + 450)) $((qy + 6)))
  [ "$r" -lt 110 ] && [ "$b" -gt "$r" ]
}
wait_for 10 author_page_shown && pass "the author's page shows" ||
  fail "the author's page is not visible after selecting its tab"

run_client close 'Puzzlebin V1.0.0' || fail "the client could not click Close"
said "close actions: click" && said "close key: ;;Alt+F4" &&
  pass "Close is a push button with a click action and its short cut" ||
  fail "Close as read: $(grep '^close' "$client_out")"
expect_exit 20 "the Close button's click action"

# ---- The gallery: the menu bar's menus and items ----
log="$artifacts/accessibility-gallery.log"
"$gallery" --skin gallery 2>"$log" &
pid=$!
wait_for 20 xdotool search --onlyvisible --pid "$pid" --name '^Puzzlebin skin gallery$' >/dev/null 2>&1 ||
  { fail "the gallery window did not appear"; finish; }
run_client menubar 'Puzzlebin skin gallery' || fail "the client found no menu bar"
said "menu menu File: New window|-|Minimise to tray|Exit" &&
  pass "the menu bar's File menu lists its items" || fail "menus as read: $(grep '^menu' "$client_out")"
said "menu menu Help: About the gallery" && pass "the Help menu lists its item" ||
  fail "no Help menu with its item"
said "expanded: File" && said "popup: New window|-|Minimise to tray|Exit" &&
  pass "opening File raises its expanded event and its popup is a menu of the items" ||
  fail "the opened menu as read: $(grep '^expanded\|^popup' "$client_out")"
stop_program

finish "the client's lines in $client_out"
