#!/usr/bin/env bash
# End to end: downloads over real WebKit with a loopback server (refused unless the user
# asks; asked for through the file chooser, which asks before replacing a file), and a
# page that survives the re-creation of its window.
#   tests/e2e/test_webpane_downloads.sh <build dir>
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../../build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec "$(dirname "$0")/../../scripts/with-display" bash "$0" "$build"
fi
source "$(dirname "$0")/webpane_lib.sh"

start_server site site "$here/pages" "$work/site.log"
site="http://127.0.0.1:$port"

# ---- Downloads: only the ones the user asks for, through the file chooser ----
downloads="$work/Downloads"
mkdir -p "$downloads"
printf 'XDG_DOWNLOAD_DIR="%s"\n' "$downloads" >"$XDG_CONFIG_HOME/user-dirs.dirs"
echo "precious" >"$downloads/report.txt"
only_report() { [ "$(ls -A "$downloads")" = report.txt ] && [ "$(cat "$downloads/report.txt")" = precious ]; }
# A navigation to an attachment that no click asked for (the host's own) saves nothing.
start_pane_only download-unasked "" "$site/file.bin?name=report.txt"
wait_for 30 grep -q 'puzzlebin-Message.*refused to download' "$log" &&
  pass "a download nobody asked for is refused, with a line in the program's log" || fail "no refusal in the log"
only_report && pass "nothing was saved" || fail "the download folder holds: $(ls -A "$downloads")"
stop_program

# A click on a download link asks where to save it.
start_pane download-asked "" "$site/download_link.html"
find_pane_form || true
chooser=""
find_chooser() { chooser=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Save File$' 2>/dev/null | head -n1); [ -n "$chooser" ]; }
no_chooser() { ! find_chooser; }
click_link() { xdotool mousemove --sync $((px + pw / 2)) $((py + ph / 2)) click 1; }
focus_chooser() { xdotool windowactivate --sync "$chooser" 2>/dev/null || xdotool windowfocus --sync "$chooser" 2>/dev/null || true; }
click_link
if wait_for 15 find_chooser; then
  pass "a click on a download link opens the file chooser"
  shot download-chooser
  # Cancel in the chooser cancels the download.
  focus_chooser
  xdotool key --clearmodifiers Escape
  wait_for 10 no_chooser || fail "the chooser did not close on Escape"
  only_report && pass "cancelling the chooser saves nothing" || fail "after cancelling: $(ls -A "$downloads")"
  # The proposed name is there already: the chooser asks before replacing it.
  click_link
  wait_for 15 find_chooser || fail "no chooser on the second click"
  focus_chooser
  windows_before=$(visible_windows)
  xdotool key --clearmodifiers Return
  more() { [ "$(visible_windows)" -gt "$windows_before" ]; }
  wait_for 10 more && pass "saving over report.txt asks first" || fail "no question before replacing report.txt"
  shot download-replace-question
  xdotool key --clearmodifiers Escape
  wait_for 5 sh -c "[ \"\$(xdotool search --onlyvisible --pid $pid 2>/dev/null | wc -l)\" -le $windows_before ]" || true
  only_report && pass "declining the question replaces nothing" || fail "report.txt changed: $(cat "$downloads/report.txt")"
  # Another name saves the download there.
  find_chooser && focus_chooser
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 20 "fresh.txt"
  xdotool key --clearmodifiers Return
  fresh() { [ "$(cat "$downloads/fresh.txt" 2>/dev/null)" = "downloaded bytes" ]; }
  wait_for 20 fresh && pass "a name given in the chooser gets the download" || fail "no fresh.txt in $downloads: $(ls -A "$downloads")"
  [ "$(cat "$downloads/report.txt")" = precious ] && pass "the existing file is untouched" || fail "report.txt was overwritten"
else
  fail "no file chooser after a click on the download link"
  shot download-chooser
fi
stop_program

# ---- A recreated window keeps the pane's page ----
start_pane recreate "" "$site/images.html" --recreate
wait_for 15 has_event recreated || fail "the window was not recreated"
find_pane_form || true
wait_for 10 find_pane_form
shot recreated
loads=$(grep -c '^driver-event: loaded Pane ' "$log" || true)
[ "$loads" = 1 ] && pass "the page was not loaded again after the window was recreated" || fail "$loads loads"
read -r r g b < <(shot_pixel recreated $((px + 30)) $((py + 30)))
[ "$r" -gt 200 ] && [ "$g" -lt 60 ] && [ "$b" -lt 60 ] && pass "the pane still shows its page (the red picture) in the new window" ||
  fail "the pane does not show its page after recreation (colour $r $g $b)"
stop_program

finish "logs and screenshots in $artifacts"
