#!/bin/bash
# Live resize of the skinned demo window on GTK under Xvfb: a scripted drag of the bottom-
# right corner across 400 pixels, one pixel per pointer step every 2.5 ms (400 steps a
# second, faster than a screen shows them), sent by one xdotool process. Reports how many
# distinct window sizes were painted and how many per second, between the first and the
# last painted step. Usage: live_resize_skindemo.sh <build dir>.
# Without DISPLAY it starts a private Xvfb and openbox.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec "$root/scripts/with-display" --private bash "$0" "$@"
fi
build=$(cd "${1:?usage: live_resize_skindemo.sh <build dir>}" && pwd)
demo="$build/tools/skindemo/pb_skindemo"
log=$(mktemp)
PB_SKINDEMO_TRACE=1 "$demo" 2>"$log" &
pid=$!
trap 'kill $pid 2>/dev/null; rm -f "$log"' EXIT
win=""
for _ in $(seq 200); do
    win=$(xdotool search --onlyvisible --pid $pid --name '^Puzzlebin skin demo$' 2>/dev/null | head -n 1)
    [ -n "$win" ] && break
    sleep 0.1
done
[ -n "$win" ] || { echo "the demo window did not appear"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$win")"
cx=$((X + WIDTH - 8)); cy=$((Y + HEIGHT - 10))
xdotool mousemove --sync $cx $cy mousedown 1
: >"$log"
steps=()
for i in $(seq 1 400); do steps+=(mousemove $((cx + i)) $((cy + i / 4)) sleep 0.0025); done
xdotool "${steps[@]}"
# Wait for the last size to be painted (or give up after 10 s).
last=$((WIDTH + 400))
for _ in $(seq 100); do grep -q " $last " "$log" && break; sleep 0.1; done
xdotool mouseup 1
awk -v total=400 '$1 == "paint" { if (!($3 in seen)) { seen[$3] = 1; n++; if (n == 1) t0 = $2; t1 = $2 } }
    END { if (n < 2) { print "fewer than two painted steps"; exit 1 }
          printf "painted %d of %d steps in %.1f ms: %.1f steps per second\n", n, total, t1 - t0, (n - 1) * 1000 / (t1 - t0) }' "$log"
