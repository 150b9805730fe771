#!/usr/bin/env bash
# End to end: the web panes' context menu and script dialogs in the main window's skin, over
# real WebKit. A right click in the content pane maps the skinned popup (an override-redirect
# window of our own, not WebKit's menu) and its Reload reloads the page through the host;
# a page's alert shows a window framed by the skin (its frame has the main window's frame
# pixels) and Enter answers it.
#   tests/e2e/test_webpane_skin.sh <build dir>
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../../build}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec "$(dirname "$0")/../../scripts/with-display" bash "$0" "$build"
fi
source "$(dirname "$0")/webpane_lib.sh"

start_server site site "$here/pages" "$work/site.log"
site="http://127.0.0.1:$port"

# Mapped override-redirect windows larger than 1 x 1 (GTK keeps a 1 x 1 helper), "id x y w h".
popups() {
  local id
  for id in $(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ { print $1 }'); do
    xwininfo -id "$id" 2>/dev/null | awk -v id="$id" '
      /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
      /Width:/ { w = $NF } /Height:/ { h = $NF }
      /Map State: IsViewable/ { v = 1 } /Override Redirect State: yes/ { o = 1 }
      END { if (v && o && w > 1 && h > 1) print id, x, y, w, h }'
  done
}
# The absolute top-left corner of a window on the screen.
origin() { xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }'; }
has_popup() { [ -n "$(popups)" ]; }
no_popup() { [ -z "$(popups)" ]; }
content_loads() { grep -c "^driver-event: loaded ContentWB .*$1\$" "$log" || true; }
content_loaded_twice() { [ "$(content_loads plain.html)" -ge 2 ]; }

# ---- The skinned context menu; its Reload reloads the page ----
start_main skin-menu "$site/plain.html" ContentWB
wait_for 30 grep -q '^driver-event: loaded ContentWB .*plain.html$' "$log" ||
  fail "the content pane did not load the page"
read -r _ _ _ cx cy cw ch _ < <(grep -m1 '^driver-event: loaded ContentWB .*plain.html$' "$log")
xdotool mousemove --sync $((cx + cw / 2)) $((cy + ch / 2)) click 3
if wait_for 10 has_popup; then
  read -r menu mx my mw mh < <(popups | head -n1)
  pass "a right click in the content pane maps a skinned popup (${mw}x${mh} at $mx,$my)"
  shot skin-context-menu
  # One of our popups: the skin's popup picture, not a GTK menu (whose windows carry GTK's
  # class); the menu engine's windows are the program's own.
  xprop -id "$menu" WM_CLASS 2>/dev/null | grep -qi 'gtk\|webkit' &&
    fail "the popup is a GTK menu: $(xprop -id "$menu" WM_CLASS)"
  # Reload is the last item: Up reaches it from whichever item is lit on opening.
  xdotool key Up Return
  wait_for 10 no_popup && pass "the chosen item closes the menu" || fail "the menu stayed open"
  wait_for 15 content_loaded_twice && pass "the menu's Reload reloads the page" ||
    fail "no reload after the menu's Reload ($(content_loads plain.html) loads)"
else
  fail "no popup appeared for the right click"
  shot skin-context-menu
fi
stop_program

# ---- A page's alert in a skinned window; Enter answers it ----
start_main skin-alert "$site/alert.html" ContentWB
find_dialog() { dialog=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Web Browser:  Message from webpage$' 2>/dev/null | head -n1); [ -n "$dialog" ]; }
content_title() { grep -q "^driver-event: title ContentWB $1\$" "$log"; }
if wait_for 20 find_dialog; then
  pass "the alert shows a window captioned 'Web Browser:  Message from webpage'"
  shot skin-alert
  read -r dx dy < <(origin "$dialog")
  read -r wx wy < <(origin "$win")
  # The skin's frame: pixels of the dialog's left border and top edge are those of the main
  # window's (the corner itself is shaped away, and shows what lies behind).
  same=0
  for off in "6 40" "8 40" "9 9" "40 7"; do
    read -r ox oy <<<"$off"
    [ "$(shot_pixel skin-alert $((dx + ox)) $((dy + oy)))" = "$(shot_pixel skin-alert $((wx + ox)) $((wy + oy)))" ] &&
      same=$((same + 1))
  done
  [ "$same" = 4 ] && pass "the dialog is framed by the main window's skin" ||
    fail "the dialog's frame (at $dx,$dy) differs from the main window's (at $wx,$wy): $same of 4 pixels alike"
  content_title after-alert && fail "the page went on while its alert was open"
  xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  xdotool key --clearmodifiers Return
  wait_for 15 content_title after-alert && pass "Enter answers the skinned alert and the page goes on" ||
    fail "the page did not continue after Enter"
  find_dialog && fail "the skinned alert is still shown after Enter"
else
  fail "no skinned alert appeared"
  shot skin-alert
fi
stop_program

finish "logs and screenshots in $artifacts"
