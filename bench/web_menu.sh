#!/usr/bin/env bash
# Opening a web pane's context menu in the program's main window: the skinned popup menu
# (the program as it is) against WebKit's own GTK menu (the same program with the panes'
# presenter taken away: tests/e2e/WebPaneDriver.cpp --main-plain), alternately, on one X
# server. Each program start loads a plain page in the content pane and opens the menu
# OPENS times in the middle of it; bench/peer/menu_watch presses the right button through
# XTest and times, from outside, the press to the menu's override-redirect window being
# mapped. Prints every time, then the medians (all opens, and the first of each start)
# and their ratio.
#   bench/web_menu.sh [OPENS=5] [ROUNDS=3] [build dir=build]
# The build needs PB_TESTS (the driver) and PB_BENCH (menu_watch, with libxtst-dev).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
opens=${1:-5}
rounds=${2:-3}
build=${3:-$root/build}

if [ -z "${PB_WEBMENU_INNER:-}" ]; then
  cmake --build "$build" -j2 --target pb_e2e_driver menu_watch >"$build/web-menu-build.log" 2>&1 ||
    { tail -n 40 "$build/web-menu-build.log"; exit 1; }
  build=$(cd "$build" && pwd)
  PB_WEBMENU_INNER=1 exec scripts/with-display --private bash "$0" "$opens" "$rounds" "$build"
fi

driver="$build/tests/pb_e2e_driver"
watch="$build/bench/peer/menu_watch"
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
export WEBKIT_DISABLE_COMPOSITING_MODE=1 WEBKIT_DISABLE_DMABUF_RENDERER=1
if [ "$(id -u)" = 0 ] && ! unshare --user --map-root-user true 2>/dev/null; then
  export WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1
fi
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
page="file://$root/tests/e2e/pages/plain.html"

# deadline <seconds> <command...>
deadline() {
  local end=$((SECONDS + $1)); shift
  until "$@"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep 0.05; done
}
# Whether a menu (an override-redirect window larger than 1 x 1) is mapped.
menu_shown() {
  local id
  for id in $(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ { print $1 }'); do
    xwininfo -id "$id" 2>/dev/null | awk '/Width:/ { w = $NF } /Height:/ { h = $NF }
      /Map State: IsViewable/ { v = 1 } /Override Redirect State: yes/ { o = 1 }
      END { exit !(v && o && w > 1 && h > 1) }' && return 0
  done
  return 1
}
no_menu() { ! menu_shown; }

declare -A times firsts
for round in $(seq "$rounds"); do
  for mode in --main --main-plain; do
    log="$work/run.log"
    "$driver" "$mode" "$page" ContentWB 2>"$log" &
    pid=$!
    deadline 60 grep -q '^driver-event: loaded ContentWB .*plain.html' "$log" ||
      { echo "the content pane did not load ($mode)" >&2; tail "$log" >&2; exit 1; }
    read -r _ _ _ x y w h _ < <(grep -m1 '^driver-event: loaded ContentWB .*plain.html' "$log")
    for i in $(seq "$opens"); do
      deadline 10 no_menu || { echo "a menu stayed open ($mode)" >&2; exit 1; }
      t=$("$watch" $((x + w / 2)) $((y + h / 2)) 5000 | awk '{ print $2 }') ||
        { echo "no menu appeared ($mode)" >&2; exit 1; }
      times[$mode]+="$t "
      [ "$i" = 1 ] && firsts[$mode]+="$t "
      xdotool key Escape
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=""
  done
done

median() { tr ' ' '\n' | grep . | sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : int((a[NR / 2] + a[NR / 2 + 1]) / 2) }'; }
skinned=$(echo "${times[--main]}" | median)
plain=$(echo "${times[--main-plain]}" | median)
skinned1=$(echo "${firsts[--main]}" | median)
plain1=$(echo "${firsts[--main-plain]}" | median)
echo "build: $build ($build_type), $rounds rounds x $opens opens per program start"
echo "skinned menu, press to mapped (us): ${times[--main]}"
echo "GTK menu,     press to mapped (us): ${times[--main-plain]}"
report() { awk -v what="$1" -v s="$2" -v p="$3" \
  'BEGIN { printf "median, %s: skinned %d us, GTK %d us, ratio %.2f\n", what, s, p, s / p }'; }
report "all opens" "$skinned" "$plain"
report "first open" "$skinned1" "$plain1"
