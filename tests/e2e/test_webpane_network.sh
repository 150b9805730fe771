#!/usr/bin/env bash
# End to end: what the web panes download and send over real WebKit, with a loopback server
# and a loopback proxy that the test starts and stops: the download flags (images), the
# user agent's token and the proxy (with and without credentials). Downloads and window
# re-creation are in test_webpane_downloads.sh.
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

finish "logs and screenshots in $artifacts"
