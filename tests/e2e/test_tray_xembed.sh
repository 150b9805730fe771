#!/bin/bash
# End-to-end test of the tray icon in a real XEmbed system tray (trayer, started here): the
# skin gallery carries the program's icon on its window; minimised to the tray it docks
# that icon in the tray's window (more than the one pixel an icon without a picture gets),
# and a double click on the icon restores the window. The tray is kept as a screenshot.
# Usage: test_tray_xembed.sh <build dir>. Without DISPLAY it starts Xvfb and openbox.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec "$root/scripts/with-display" --private bash "$0" "$@"
fi
build=$(cd "${1:?usage: test_tray_xembed.sh <build dir>}" && pwd)
gallery="$build/tools/pbgallery/pbgallery"
artifacts=${PB_E2E_ARTIFACTS:-$build/e2e-artifacts}
mkdir -p "$artifacts"
log="$artifacts/tray-xembed.log"
pid=""
tray_pid=""
source "$here/e2e_lib.sh"
source "$here/tray_lib.sh"
cleanup() {
    stop_program
    [ -n "$tray_pid" ] && kill "$tray_pid" 2>/dev/null && wait "$tray_pid" 2>/dev/null
}
trap cleanup EXIT
[ -x "$gallery" ] || { fail "$gallery not built"; finish; }
command -v trayer >/dev/null || { fail "trayer is not installed (scripts/setup installs it)"; finish; }

trayer --edge bottom --align right --widthtype request --height 32 --SetDockType true --transparent false \
    >"$artifacts/tray-xembed-trayer.log" 2>&1 &
tray_pid=$!
find_tray() {
    tray=$(xdotool search --onlyvisible --pid "$tray_pid" 2>/dev/null | head -n 1)
    [ -n "$tray" ]
}
pid=$tray_pid
wait_for 10 find_tray || { fail "trayer did not show its window"; cat "$artifacts/tray-xembed-trayer.log" >&2; finish; }
pass "trayer is up (window $tray)"

start_gallery || finish
check_window_icon
minimise_to_tray || finish

# The icon docks as a child of the tray's window: the gallery's embedded plug window.
docked_icon() {
    icon=$(xwininfo -tree -id "$tray" 2>/dev/null | awk '/"pbgallery"/ { print $1; exit }')
    [ -n "$icon" ] || return 1
    eval "$(xwininfo -id "$icon" | awk '/Absolute upper-left X/ { print "ix=" $NF }
        /Absolute upper-left Y/ { print "iy=" $NF } /Width:/ { print "iw=" $NF } /Height:/ { print "ih=" $NF }
        /Map State:/ { print "imap=" $NF }')"
    [ "$imap" = IsViewable ] && [ "$iw" -gt 1 ] && [ "$ih" -gt 1 ]
}
if wait_for 10 docked_icon; then pass "the icon docked in the tray's window (${iw}x${ih} at $ix,$iy)"
else fail "no icon docked in the tray (${iw:-?}x${ih:-?})"; xwininfo -tree -id "$tray" >&2; finish; fi
import -window "$tray" "$artifacts/tray-xembed.png" 2>/dev/null || fail "screenshot of the tray"
import -window root -crop "${iw}x${ih}+${ix}+${iy}" +repage "$artifacts/tray-xembed-icon.png" 2>/dev/null
n=$(colours "$artifacts/tray-xembed-icon.png" "${iw}x${ih}+0+0")
[ "${n:-0}" -gt 8 ] && pass "the docked icon shows a picture ($n colours)" || fail "the docked icon is blank ($n colours)"

set_mark
pointer_to $((ix + iw / 2)) $((iy + ih / 2))
xdotool click --repeat 2 --delay 80 1
expect_restored "a double click on the tray icon"
import -window root "$artifacts/tray-xembed-restored.png" 2>/dev/null
finish "screenshots in $artifacts/tray-xembed*.png"
