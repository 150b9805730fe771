#!/usr/bin/env bash
# End to end: what the web panes download and send over real WebKit, with a loopback server
# and a loopback proxy that the test starts and stops: the download flags (images), the
# user agent's token, the proxy (with and without credentials), downloads into the user's
# folder, and a page that survives the re-creation of its window.
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
stop

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
exited() { ! kill -0 "$pid" 2>/dev/null; }
if wait_for 15 exited; then
  set +e; wait "$pid"; status=$?; set -e
  pid=""
  [ "$status" = 0 ] && pass "Alt+F4 ends the program with exit code 0" || fail "exit code $status"
else
  fail "the program did not end on Alt+F4"
  stop
fi
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
stop

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
stop

start_pane_only proxy-wrong "    ProxySettings.AutoLoadProxy = True
    ProxySettings.Address = '127.0.0.1'
    ProxySettings.Port = $auth_port
    ProxySettings.UserName = 'alice'
    ProxySettings.Password = 'wrong'" "http://puzzlebin-proxy.test/wrong.html"
wait_for 15 grep -q 'wrong.html AUTH=bad' "$work/auth-proxy.log" || fail "the wrong credentials were never sent"
bad=$(grep -c 'wrong.html AUTH=bad' "$work/auth-proxy.log" || true)
[ "$bad" -le 2 ] && pass "refused credentials are not sent again and again ($bad tries)" || fail "$bad tries with refused credentials"
stop

# ---- Downloads go to the user's folder, never over an existing file ----
downloads="$work/Downloads"
mkdir -p "$downloads"
printf 'XDG_DOWNLOAD_DIR="%s"\n' "$downloads" >"$XDG_CONFIG_HOME/user-dirs.dirs"
echo "precious" >"$downloads/report.txt"
start_pane_only download "" "$site/file.bin?name=report.txt"
saved() { [ -s "$downloads/report (1).txt" ]; }
wait_for 20 saved && pass "the download is saved as 'report (1).txt' beside the existing file" ||
  fail "no download in $downloads: $(ls "$downloads")"
[ "$(cat "$downloads/report.txt")" = precious ] && pass "the existing file is untouched" || fail "the existing file was overwritten"
stop

# ---- A recreated window keeps the pane's page ----
start_pane recreate "" "$site/images.html" --recreate
wait_for 15 has_event recreated || fail "the window was not recreated"
find_pane_form || true
wait_for 10 find_pane_form
shot recreated
loads=$(grep -c '^driver-event: loaded Pane ' "$log" || true)
[ "$loads" = 1 ] && pass "the page was not loaded again after the window was recreated" || fail "$loads loads"
read -r r g b < <(pixel recreated $((px + 30)) $((py + 30)))
[ "$r" -gt 200 ] && [ "$g" -lt 60 ] && [ "$b" -lt 60 ] && pass "the pane still shows its page (the red picture) in the new window" ||
  fail "the pane does not show its page after recreation (colour $r $g $b)"
stop

finish
