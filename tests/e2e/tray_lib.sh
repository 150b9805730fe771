# Helpers of the tray tests: the skin gallery started with its event lines, its window, and
# its minimise-to-tray caption button. Sourced after e2e_lib.sh; the caller sets `gallery`,
# `artifacts` and `log`.

has_event() { tail -n +$((mark + 1)) "$log" | grep -q "^pbgallery-event: $1"; }
set_mark() { mark=$(wc -l <"$log"); }
mark=0

find_window() {
    # --all: both the process and the name (xdotool's default is either).
    win=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Puzzlebin skin gallery$' 2>/dev/null | head -n 1)
    [ -n "$win" ]
}
window_gone() { ! find_window; }

# Starts the gallery and waits for its window and layout; sets pid, win, X, Y and the
# window coordinates of the tray button (tbx, tby).
start_gallery() {
    : >"$log"
    mark=0
    PB_GALLERY_EVENTS=1 "$gallery" --skin default 2>"$log" &
    pid=$!
    if ! wait_for 20 find_window || ! wait_for 10 has_event layout; then
        fail "the gallery window did not appear"
        cat "$log" >&2
        return 1
    fi
    read -r tbx tby < <(grep '^pbgallery-event: layout' "$log" | tail -n 1 | sed 's/.* traybutton //')
    eval "$(xdotool getwindowgeometry --shell "$win")"
    [ "${tbx:--1}" -ge 0 ] || { fail "the skin has no tray button on the caption"; return 1; }
}

# The window carries the program's icon for the window manager and the task bar.
check_window_icon() {
    local size
    size=$(xprop -id "$win" _NET_WM_ICON 2>/dev/null | grep -o -m 1 'Icon ([0-9]* x [0-9]*)')
    case "$size" in
    "Icon (48 x 48)") pass "the window carries the program's icon (_NET_WM_ICON, 48 x 48)" ;;
    *) fail "the window has no program icon (_NET_WM_ICON: '${size:-none}')" ;;
    esac
}

# Moves the pointer to a screen point. `mousemove --sync` to where the pointer already is
# waits for a motion that never comes, so the pointer first steps next to it.
pointer_to() {
    local at
    at=$(xdotool getmouselocation | awk '{ sub("x:", "", $1); sub("y:", "", $2); print $1, $2 }')
    [ "$at" = "$1 $2" ] && xdotool mousemove --sync $(($1 + 1)) "$2"
    xdotool mousemove --sync "$1" "$2"
}

# Clicks the caption's tray button and waits until the window has gone to the tray.
minimise_to_tray() {
    set_mark
    pointer_to $((X + tbx)) $((Y + tby))
    xdotool click 1
    if wait_for 10 has_event tray-minimised && wait_for 10 window_gone; then
        pass "the tray button hid the window to the tray"
    else
        fail "the tray button did not hide the window"
        return 1
    fi
}

# Waits for the window to come back from the tray ($1 says how it was asked to).
expect_restored() {
    if wait_for 10 has_event tray-restored && wait_for 10 find_window; then pass "$1 restored the window"
    else fail "$1 left the window hidden"; fi
}

# Mapped override-redirect windows of the gallery (its popup menus), as "id x y w h".
popups() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        xwininfo -id "$id" 2>/dev/null | awk -v id="$id" '
            /Absolute upper-left X/ { x = $NF }
            /Absolute upper-left Y/ { y = $NF }
            /Width:/ { w = $NF }
            /Height:/ { h = $NF }
            /Map State: IsViewable/ { viewable = 1 }
            /Override Redirect State: yes/ { override = 1 }
            END { if (viewable && override && w > 1 && h > 1) print id, x, y, w, h }'
    done
}
