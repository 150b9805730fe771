#!/bin/bash
# End-to-end test of the skin gallery on a real X server with a window manager, once per
# compiled-in skin: the window appears, a click on the menu bar opens the skinned menu,
# dragging the frame's track bar moves the gauge, and a click on an MDI tab brings its
# child forward. Screenshots of each step are kept.
# Usage: test_gallery.sh <build dir>. Without DISPLAY it starts Xvfb and openbox.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec "$root/scripts/with-display" bash "$0" "$@"
fi
build=$(cd "${1:?usage: test_gallery.sh <build dir>}" && pwd)
gallery="$build/tools/pbgallery/pbgallery"
artifacts=${PB_E2E_ARTIFACTS:-$build/e2e-artifacts}
mkdir -p "$artifacts"
[ -x "$gallery" ] || { echo "FAIL: $gallery not built"; exit 1; }
pid=""
source "$here/e2e_lib.sh"
trap stop_program EXIT

# Events after the mark (the log's line count when the step began).
has_event() { tail -n +$((mark + 1)) "$log" | grep -q "^pbgallery-event: $1"; }
set_mark() { mark=$(wc -l <"$log"); }
mark=0
find_window() {
    win=$(xdotool search --onlyvisible --pid "$pid" --name '^Puzzlebin skin gallery$' 2>/dev/null | head -n 1)
    [ -n "$win" ]
}

for skin in default gallery; do
    log="$artifacts/gallery-$skin.log"
    : >"$log"
    shot() { import -window root "$artifacts/gallery-$skin-$1.png" 2>/dev/null || fail "$skin: screenshot $1"; }
    PB_GALLERY_EVENTS=1 "$gallery" --skin "$skin" 2>"$log" &
    pid=$!
    mark=0
    if ! wait_for 20 find_window || ! wait_for 10 has_event layout; then
        fail "$skin: the gallery window did not appear"
        cat "$log"
        stop_program
        continue
    fi
    pass "$skin: the gallery started"
    # Window coordinates from the last layout line, moved by the window's place.
    read -r _ _ _ mx my _ tl tt tr tb _ t0x t0y t1x t1y _ < <(grep '^pbgallery-event: layout' "$log" | tail -n 1)
    eval "$(xdotool getwindowgeometry --shell "$win")"
    shot start

    set_mark
    xdotool mousemove --sync $((X + mx)) $((Y + my)) click 1
    if wait_for 10 has_event menu-open; then pass "$skin: a click on the menu bar opened the skinned menu"
    else fail "$skin: no menu opened from the menu bar"; fi
    shot menu
    xdotool key Escape
    wait_for 5 has_event menu-close || fail "$skin: the menu did not close on Escape"

    if [ "$tl" -ge 0 ]; then
        ty=$((Y + (tt + tb) / 2))
        set_mark
        xdotool mousemove --sync $((X + tl + 3)) "$ty" mousedown 1
        for step in 1 2 3 4 5 6; do xdotool mousemove --sync $((X + tl + 3 + (tr - tl - 6) * step / 6)) "$ty"; done
        xdotool mouseup 1
        gauge_moved() { tail -n +$((mark + 1)) "$log" | grep '^pbgallery-event: gauge '  | tail -n 1 | awk '{ exit !($3 > 50) }'; }
        if wait_for 10 gauge_moved; then pass "$skin: dragging the track bar moved the gauge ($(grep '^pbgallery-event: gauge ' "$log" | tail -n 1 | awk '{ print $3 }'))"
        else fail "$skin: the gauge did not follow the track bar"; fi
        shot trackbar
    else
        pass "$skin: the skin has no track bar on the frame"
    fi

    # At the start the last child shown ("Panels") is the active one.
    set_mark
    xdotool mousemove --sync $((X + t0x)) $((Y + t0y)) click 1
    if wait_for 10 has_event "active Notes"; then pass "$skin: the first tab brought its child forward"
    else fail "$skin: the first tab did not activate its child"; fi
    set_mark
    xdotool mousemove --sync $((X + t1x)) $((Y + t1y)) click 1
    wait_for 10 has_event "active Pages" && pass "$skin: the second tab brought its child forward" ||
        fail "$skin: the second tab did not activate its child"
    shot tabs
    stop_program
    pid=""
done
finish "screenshots in $artifacts"
