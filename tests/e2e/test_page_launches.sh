#!/usr/bin/env bash
# End to end: what a page in the content pane or the author's-site pane may start outside
# the program, over real WebKit, in the program's main window (the driver's --main: the
# program's own form and panes, sent to pages of the test's loopback server), with a
# temporary HOME whose default handler for http, https and ssh addresses is a small script
# that records each launch (a desktop entry and mimeapps.list of the test's own):
#   - one click on a page whose click handler calls window.open 1000 times: one launch;
#   - a click on a link to an ssh: address in a new window: no launch;
#   - window.open from a script, without a click: no launch;
#   - an attachment the author's-site pane's page navigates to by itself: no file anywhere
#     in the temporary HOME;
#   - every refusal is one line of the program's log (GLib, domain puzzlebin, on stderr);
#   - the program stays responsive and exits with code 0.
#   tests/e2e/test_page_launches.sh <build dir>
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../../build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec "$(dirname "$0")/../../scripts/with-display" bash "$0" "$build"
fi
source "$(dirname "$0")/webpane_lib.sh"

# ---- A home of the test's own; its default handler records launches ----
home="$work/home"
export HOME="$home"
export XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" XDG_CACHE_HOME="$home/.cache"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME/applications" "$XDG_CACHE_HOME" "$home/Downloads"
printf 'XDG_DOWNLOAD_DIR="%s"\n' "$home/Downloads" >"$XDG_CONFIG_HOME/user-dirs.dirs"
launches="$work/launches.log"
: >"$launches"
recorder="$work/record-launch"
printf '#!/bin/sh\necho "$*" >>"%s"\n' "$launches" >"$recorder"
chmod +x "$recorder"
cat >"$XDG_DATA_HOME/applications/pb-test-recorder.desktop" <<EOF
[Desktop Entry]
Type=Application
Name=Launch recorder
Exec=$recorder %u
MimeType=x-scheme-handler/http;x-scheme-handler/https;x-scheme-handler/ssh;
NoDisplay=true
EOF
cat >"$XDG_CONFIG_HOME/mimeapps.list" <<EOF
[Default Applications]
x-scheme-handler/http=pb-test-recorder.desktop
x-scheme-handler/https=pb-test-recorder.desktop
x-scheme-handler/ssh=pb-test-recorder.desktop
EOF

start_server site site "$here/pages" "$work/site.log"
site="http://127.0.0.1:$port"

launch_count() { grep -c . "$launches" 2>/dev/null || true; }
refusals() { grep -c "puzzlebin-Message.*refused to open $1" "$log" || true; }
pane_loaded() { grep -q "^driver-event: loaded $1 .*$2" "$log"; }
# The screen rectangle of a pane once it has loaded a page: px py pw ph.
pane_rect() { read -r _ _ _ px py pw ph _ < <(grep -m1 "^driver-event: loaded $1 .*$2" "$log"); }

# start_window <log name> <address> <pane> [<address> <pane>]: the main window with panes sent to pages.
start_window() {
  log="$artifacts/$1.log"
  : >"$log"
  shift
  "$driver" --main "$@" 2>"$log" &
  pid=$!
  wait_for 30 find_main || { fail "the main window did not appear"; tail -20 "$log" >&2; return 1; }
}

# Alt+F4 takes the window down within five seconds, and the program ends with code 0.
closes_and_exits() {
  local name=$1
  xdotool key --window "$win" alt+F4 2>/dev/null || true
  window_gone() { ! xwininfo -id "$win" 2>/dev/null | grep -q IsViewable; }
  wait_for 5 window_gone && pass "$name: the window goes on Alt+F4 (the program is responsive)" ||
    fail "$name: the window outlived Alt+F4 by five seconds"
  expect_exit 20 "$name"
}

# ---- One click, 1000 window.open calls; an attachment by the author's-site page's own navigation ----
start_window window-open "$site/hostile_window_open.html" ContentWB "$site/download_by_script.html" quillMartWB
wait_for 30 pane_loaded ContentWB hostile_window_open || fail "the content pane did not load the page"
wait_for 30 pane_loaded quillMartWB download_by_script || fail "the author's-site pane did not load its page"
refused_download() { grep -q 'puzzlebin-Message.*refused to download "[^"]*file.bin?name=attachment.bin"' "$log"; }
wait_for 20 refused_download && pass "the attachment the page navigated to is refused, with a line in the log" ||
  fail "no refusal of the attachment in the log"
pane_rect ContentWB hostile_window_open
xdotool mousemove --sync $((px + pw / 2)) $((py + ph / 2)) click 1
requests() { grep -c '^driver-event: newwindow ContentWB' "$log" || true; }
all_requests() { [ "$(requests)" -ge 1000 ]; }
wait_for 30 all_requests && pass "all 1000 requests reached the program" || fail "$(requests) of 1000 requests reached the program"
one_launch() { [ "$(launch_count)" -ge 1 ]; }
wait_for 10 one_launch || true
[ "$(launch_count)" = 1 ] && pass "one click started one launch: $(cat "$launches")" ||
  fail "one click started $(launch_count) launches"
[ "$(refusals '"http://127.0.0.1')" = 999 ] && pass "each of the 999 refused requests left one log line" ||
  fail "$(refusals '"http://127.0.0.1') log lines for 999 refused requests"
shot launches-window-open
closes_and_exits window-open
files=$(find "$home" -type f \( -name 'attachment*' -o -name '*.wkdownload' \) | head -n 5)
copies=$(grep -rlF 'downloaded bytes' "$home" 2>/dev/null | head -n 5 || true)
[ -z "$files$copies" ] && pass "the attachment wrote no file anywhere in HOME" || fail "files in HOME: $files $copies"
[ -z "$(ls -A "$home/Downloads")" ] && pass "the download folder is empty" || fail "Downloads holds $(ls "$home/Downloads")"

# ---- A link to an ssh: address; window.open from a script without a click ----
start_window ssh-and-script "$site/launch_ssh_link.html" ContentWB "$site/launch_script_only.html" quillMartWB
wait_for 30 pane_loaded ContentWB launch_ssh_link || fail "the content pane did not load the ssh link page"
wait_for 30 grep -q '^driver-event: title quillMartWB script asked twice' "$log" ||
  fail "the script-only page did not run its script"
pane_rect ContentWB launch_ssh_link
xdotool mousemove --sync $((px + pw / 2)) $((py + ph / 2)) click 1
ssh_refused() { [ "$(refusals '"ssh://attacker.example/"')" = 1 ]; }
wait_for 15 ssh_refused && pass "the ssh: link is refused with one log line" ||
  fail "$(refusals '"ssh://attacker.example/"') log lines for the ssh: link"
shot launches-ssh
closes_and_exits ssh-and-script
[ "$(launch_count)" = 1 ] && pass "neither the ssh: link nor the script's window.open started anything" ||
  fail "launches recorded: $(cat "$launches")"
grep -q 'ssh:' "$launches" && fail "the ssh: address reached the desktop's handler" || true
grep -q 'from=script\|from-timer' "$launches" && fail "a script's window.open reached the desktop's handler" || true

finish "logs and screenshots in $artifacts"
