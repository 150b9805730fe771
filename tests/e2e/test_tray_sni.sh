#!/bin/bash
# End-to-end test of the tray icon on a real StatusNotifierItem host: the Xfce panel with
# its notification-area plugin, configured here in a temporary HOME (its settings daemon
# started here too, so it reads that HOME). The skin gallery minimised to the tray
# registers its item with the panel's watcher and the panel shows its icon; ContextMenu
# opens the skinned menu at the given point; Activate restores the window; a panel that is
# stopped and started again gets the item registered again. Screenshots are kept.
# Usage: test_tray_sni.sh <build dir>. Without DISPLAY it starts Xvfb and openbox.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec "$root/scripts/with-display" --private bash "$0" "$@"
fi
build=$(cd "${1:?usage: test_tray_sni.sh <build dir>}" && pwd)
gallery="$build/tools/pbgallery/pbgallery"
artifacts=${PB_E2E_ARTIFACTS:-$build/e2e-artifacts}
mkdir -p "$artifacts"
log="$artifacts/tray-sni.log"
pid=""
panel_pid=""
xfconf_pid=""
source "$here/e2e_lib.sh"
source "$here/tray_lib.sh"
home=$(mktemp -d)
stop_panel() {
    [ -n "$panel_pid" ] && kill "$panel_pid" 2>/dev/null && wait "$panel_pid" 2>/dev/null
    panel_pid=""
}
cleanup() {
    stop_program
    stop_panel
    [ -n "$xfconf_pid" ] && kill "$xfconf_pid" 2>/dev/null && wait "$xfconf_pid" 2>/dev/null
    rm -rf "$home"
}
trap cleanup EXIT
[ -x "$gallery" ] || { fail "$gallery not built"; finish; }
xfconfd=$(ls /usr/lib/*/xfce4/xfconf/xfconfd 2>/dev/null | head -n 1)
command -v xfce4-panel >/dev/null && [ -n "$xfconfd" ] ||
    { fail "xfce4-panel is not installed (scripts/setup installs it)"; finish; }

# One panel along the bottom holding only the notification area.
conf="$home/.config/xfce4/xfconf/xfce-perchannel-xml"
mkdir -p "$conf"
cat >"$conf/xfce4-panel.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=8;x=640;y=1010"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="32"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
XML
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache" XDG_DATA_HOME="$home/.local/share"
# Started by hand: one the bus started would read the bus's HOME, not this one.
"$xfconfd" >"$artifacts/tray-sni-xfconfd.log" 2>&1 &
xfconf_pid=$!

watcher_items() {
    gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher \
        --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems 2>/dev/null
}
watcher_up() { watcher_items >/dev/null; }
watcher_gone() { ! watcher_up; }
find_panel() {
    panel=$(xdotool search --onlyvisible --pid "$panel_pid" 2>/dev/null | while read -r id; do
        xwininfo -id "$id" | awk -v id="$id" '/Width:/ { w = $NF } END { if (w > 100) print id }'
    done | head -n 1)
    [ -n "$panel" ]
}
start_panel() {
    xfce4-panel >>"$artifacts/tray-sni-panel.log" 2>&1 &
    panel_pid=$!
    local keep=$pid
    pid=$panel_pid
    wait_for 15 watcher_up && wait_for 10 find_panel
    local ok=$?
    pid=$keep
    return $ok
}
: >"$artifacts/tray-sni-panel.log"
start_panel || { fail "the panel's watcher did not appear"; cat "$artifacts/tray-sni-panel.log" >&2; finish; }
pass "the Xfce panel is up with its watcher"
import -window "$panel" "$artifacts/tray-sni-panel-empty.png" 2>/dev/null

start_gallery || finish
check_window_icon
minimise_to_tray || finish

registered() { watcher_items | grep -q "StatusNotifierItem-$pid-"; }
if wait_for 10 registered; then pass "the item is in the watcher's RegisteredStatusNotifierItems: $(watcher_items)"
else fail "the item did not register: $(watcher_items)"; finish; fi
item=$(watcher_items | grep -o "org.kde.StatusNotifierItem-$pid-[0-9]*" | head -n 1)

# The panel shows the icon: its notification area gains the icon's colours.
empty=$(colours "$artifacts/tray-sni-panel-empty.png" "$(identify -format '%wx%h+0+0' "$artifacts/tray-sni-panel-empty.png")")
shown() {
    import -window "$panel" "$artifacts/tray-sni-panel.png" 2>/dev/null &&
        now=$(colours "$artifacts/tray-sni-panel.png" "$(identify -format '%wx%h+0+0' "$artifacts/tray-sni-panel.png")") &&
        [ "$now" -gt $((empty + 8)) ]
}
if wait_for 10 shown; then pass "the panel shows the icon ($empty colours empty, $now with the icon)"
else fail "the panel shows no icon ($empty colours empty, ${now:-?} after)"; fi

call_item() { gdbus call --session --dest "$item" --object-path /StatusNotifierItem --method "org.kde.StatusNotifierItem.$1" "$2" "$3" >/dev/null; }
menu_at() { popups | awk -v x="$1" -v y="$2" '$2 == x && $3 == y { found = 1 } END { exit !found }'; }
no_popups() { [ -z "$(popups)" ]; }
call_item ContextMenu 600 500 || fail "ContextMenu was refused"
if wait_for 10 menu_at 600 500; then pass "ContextMenu opened the skinned menu at 600,500"
else fail "no menu at 600,500 after ContextMenu: $(popups | tr '\n' ';')"; fi
import -window root "$artifacts/tray-sni-menu.png" 2>/dev/null
xdotool key Escape
wait_for 5 no_popups || fail "the tray menu did not close on Escape"

set_mark
call_item Activate 0 0 || fail "Activate was refused"
expect_restored "Activate"
# Back from the tray the icon hides: the item gives up its bus name and the watcher drops it.
unregistered() { ! registered; }
wait_for 10 unregistered && pass "the restored window's item left the watcher" ||
    fail "the item stayed registered after the restore: $(watcher_items)"

# The panel restarts: the item registers with the new watcher.
minimise_to_tray || finish
wait_for 10 registered || fail "the item did not register for the second minimise"
stop_panel
keep=$pid
wait_for 10 watcher_gone || fail "the watcher outlived the panel"
if start_panel; then
    pid=$keep
    if wait_for 10 registered; then pass "after the panel's restart the item registered again"
    else fail "the item did not register with the restarted panel: $(watcher_items)"; fi
    wait_for 10 shown && import -window "$panel" "$artifacts/tray-sni-panel-restarted.png" 2>/dev/null
else
    pid=$keep
    fail "the panel did not come back"
fi
finish "screenshots in $artifacts/tray-sni*.png"
