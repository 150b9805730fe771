#!/bin/bash
# End-to-end test of the skinned main menu from the keyboard alone, on the skin gallery on a
# real X server with a window manager: Alt+F opens the "&File" menu (its popup window maps),
# Right opens the submenu of its first entry ("&New window") and Left closes it again, and
# Enter on the submenu's first entry ("&Panels") runs it (a new child window becomes the
# active one). Screenshots of the open menus are kept.
# Usage: test_keyboard_menus.sh <build dir>. Without DISPLAY it starts Xvfb and openbox.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec "$root/scripts/with-display" bash "$0" "$@"
fi
build=$(cd "${1:?usage: test_keyboard_menus.sh <build dir>}" && pwd)
gallery="$build/tools/pbgallery/pbgallery"
artifacts=${PB_E2E_ARTIFACTS:-$build/e2e-artifacts}
mkdir -p "$artifacts"
[ -x "$gallery" ] || { echo "FAIL: $gallery not built"; exit 1; }
pid=""
source "$here/e2e_lib.sh"
trap stop_program EXIT

log="$artifacts/keyboard-menus.log"
: >"$log"
mark=0
set_mark() { mark=$(wc -l <"$log"); }
has_event() { tail -n +$((mark + 1)) "$log" | grep -q "^pbgallery-event: $1"; }
find_window() {
    win=$(xdotool search --onlyvisible --pid "$pid" --name '^Puzzlebin skin gallery$' 2>/dev/null | head -n 1)
    [ -n "$win" ]
}
# Mapped override-redirect windows of the gallery (its skinned popups), as "id x y w h".
popups() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [ $((id)) = $((win)) ] && continue
        xwininfo -id "$id" 2>/dev/null | awk -v id="$id" '
            /Absolute upper-left X/ { x = $NF }
            /Absolute upper-left Y/ { y = $NF }
            /Width:/ { w = $NF }
            /Height:/ { h = $NF }
            /Map State: IsViewable/ { viewable = 1 }
            /Override Redirect State: yes/ { override = 1 }
            # GTK keeps a 1 x 1 helper window of its own off the screen.
            END { if (viewable && override && w > 1 && h > 1) print id, x, y, w, h }'
    done
}
popup_count_is() { [ "$(popups | wc -l)" = "$1" ]; }

PB_GALLERY_EVENTS=1 "$gallery" --skin default 2>"$log" &
pid=$!
if ! wait_for 20 find_window || ! wait_for 10 has_event layout; then
    fail "the gallery window did not appear"
    cat "$log"
    exit 1
fi
pass "the gallery started"
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win" 2>/dev/null || true

set_mark
xdotool key --clearmodifiers alt+f
if wait_for 10 popup_count_is 1 && has_event menu-open; then
    pass "Alt+F opened the File menu"
else
    fail "Alt+F did not open a menu ($(popups | wc -l) popups)"
fi
shot keyboard-menu-file
read -r _ fx fy _ _ < <(popups | head -n 1)

xdotool key Right
if wait_for 10 popup_count_is 2; then pass "Right opened the submenu of the first entry"
else fail "Right did not open the submenu ($(popups | wc -l) popups)"; fi
shot keyboard-menu-submenu

xdotool key Left
if wait_for 10 popup_count_is 1; then pass "Left closed the submenu"
else fail "Left did not close the submenu ($(popups | wc -l) popups)"; fi
# The File menu itself stayed where it was: the bar did not move to another item.
read -r _ x y _ _ < <(popups | head -n 1)
[ "${x:-}" = "${fx:-}" ] && [ "${y:-}" = "${fy:-}" ] ||
    fail "after Left the menu is at ${x:-?},${y:-?}, not at the File menu's ${fx:-?},${fy:-?}"

set_mark
xdotool key Right
wait_for 10 popup_count_is 2 || fail "Right did not open the submenu again"
xdotool key Return
if wait_for 10 has_event "active Panels 4"; then pass "Enter ran \"New window > Panels\""
else fail "Enter did not run the entry"; fi
wait_for 10 popup_count_is 0 || fail "the menus did not close after the entry ran"
has_event menu-close || fail "no menu-close after the entry ran"
shot keyboard-menu-ran

stop_program
finish "screenshots in $artifacts"
