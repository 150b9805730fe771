#!/usr/bin/env bash
# End to end: what the web panes download and send over real WebKit, with a loopback server
# and a loopback proxy that the test starts and stops: the download flags (images), the
# user agent's token, the proxy (with and without credentials), downloads (refused unless
# the user asks; asked for through the file chooser), and a page that survives the
# re-creation of its window.
#   tests/e2e/test_webpane_network.sh <build dir>
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../../build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec "$(dirname "$0")/../../scripts/with-display" bash "$0" "$build"
fi
source "$(dirname "$0")/webpane_lib.sh"

start_server site site "$here/pages" "$work/site.log"
site="http://127.0.0.1:$port"
token='Puzzlebin WebPane (+http://puzzlebin.example.org/webpane/)'

# ---- Images load only with DownloadImages; every request carries the token ----
: >"$work/site.log"
start_pane images-off "    DownloadOptions = [DownloadVideos, DownloadBGSounds]" "$site/images.html"
wait_for 15 title_is "img:0" && pass "without DownloadImages the picture is not shown" ||
  fail "images page says $(grep '^driver-event: title Pane' "$log" | tail -n1)"
grep -q '^GET /image.png' "$work/site.log" && fail "the picture was requested without DownloadImages" ||
  pass "without DownloadImages the picture is not even requested"
stop_program

: >"$work/site.log"
start_pane images-on "" "$site/images.html"
wait_for 15 title_is "img:1" && pass "with the main window's download flags the picture loads" ||
  fail "images page says $(grep '^driver-event: title Pane' "$log" | tail -n1)"
ua=$(grep -m1 '^GET /images.html' "$work/site.log" | sed 's/^.* UA=//')
case "$ua" in
  *"; $token)"*) pass "the user agent carries the token: $ua" ;;
  *) fail "the user agent lacks the token: '$ua'" ;;
esac
grep '^GET /image.png' "$work/site.log" | grep -qF "$token" && pass "sub-resources carry the token too" ||
  fail "the picture's request lacks the token"
settings="$XDG_CONFIG_HOME/puzzlebin/settings.ini"
grep -qF "$token" "$settings" && pass "the token is registered in the settings store while the pane runs" ||
  fail "the token is not in $settings"
# The program's end withdraws the token and leaves other writers' values.
printf '%s\n' '[Software\Microsoft\Windows\CurrentVersion\Internet Settings\User Agent\Post Platform]' \
  'OtherProgram/2.0=' >>"$settings"
find_pane_form || true
xdotool key --window "$win" alt+F4 2>/dev/null || true
expect_exit 15 "Alt+F4 on the pane's form"
! grep -qF "$token" "$settings" && pass "the token is withdrawn at the end" || fail "the token is still registered"
grep -q '^OtherProgram/2.0=' "$settings" && pass "another writer's token survives" || fail "another writer's token was lost"

# ---- Proxy for this process only ----
start_server proxy proxy "$work/proxy.log"
proxy_port=$port
: >"$work/proxy.log"
: >"$work/site.log"
start_pane proxy "    ProxySettings.AutoLoadProxy = True
    ProxySettings.Address = '127.0.0.1'
    ProxySettings.Port = $proxy_port" "http://puzzlebin-proxy.test/page.html"
wait_for 15 title_is "via proxy" && pass "a page is fetched through the loopback proxy" || fail "the page did not come through the proxy"
grep -q '^PROXY http://puzzlebin-proxy.test/page.html AUTH=none' "$work/proxy.log" &&
  pass "the proxy saw the request" || fail "the proxy log: $(cat "$work/proxy.log")"
grep -q "^PROXY .*UA=.*$token" "$work/proxy.log" && pass "requests through the proxy carry the token" ||
  fail "the proxied request lacks the token"
stop_program

start_server auth-proxy proxy "$work/auth-proxy.log" "alice:s3cret"
auth_port=$port
start_pane proxy-auth "    ProxySettings.AutoLoadProxy = True
    ProxySettings.Address = '127.0.0.1'
    ProxySettings.Port = $auth_port
    ProxySettings.UserName = 'alice'
    ProxySettings.Password = 's3cret'" "http://puzzlebin-proxy.test/secret.html"
wait_for 15 title_is "via proxy" && pass "the proxy's authentication request is answered with the user name and password" ||
  fail "no page through the authenticating proxy; log: $(cat "$work/auth-proxy.log")"
grep -q 'AUTH=ok' "$work/auth-proxy.log" && pass "the proxy accepted the credentials" || fail "no accepted credentials"
stop_program

start_pane_only proxy-wrong "    ProxySettings.AutoLoadProxy = True
    ProxySettings.Address = '127.0.0.1'
    ProxySettings.Port = $auth_port
    ProxySettings.UserName = 'alice'
    ProxySettings.Password = 'wrong'" "http://puzzlebin-proxy.test/wrong.html"
wait_for 15 grep -q 'wrong.html AUTH=bad' "$work/auth-proxy.log" || fail "the wrong credentials were never sent"
bad=$(grep -c 'wrong.html AUTH=bad' "$work/auth-proxy.log" || true)
[ "$bad" -le 2 ] && pass "refused credentials are not sent again and again ($bad tries)" || fail "$bad tries with refused credentials"
stop_program

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
