#!/usr/bin/env bash
# Start-up of Puzzlebin against the same program without its skinned frame
# (bench/peer/puzzlebin_unframed) and against the smallest WebKitGTK program with the same
# window and pages (bench/peer/smallest_webkit), run alternately N times each on one X
# server, and the medians of: process start -> window mapped, process start -> window
# painted, process start -> all three pages loaded, and the memory of the whole process
# tree (UI, web and network processes) once loaded.
#
# Every program is measured the same way, from outside: bench/peer/startup_watch starts it
# and watches the X server for the program's own window (matched by its process id and
# title) becoming viewable, then for the first drawing into it that leaves more than one
# colour there; each program's line for its third loaded page is timestamped as it arrives.
#   bench/startup.sh [N=5] [build dir=build-release]
# The build folder is configured as a Release build when it does not exist yet. Without a
# display the runs use a private Xvfb with openbox (scripts/with-display).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${1:-5}
build=${2:-$root/build-release}

if [ -z "${PB_STARTUP_INNER:-}" ]; then
  [[ "$runs" =~ ^[1-9][0-9]*$ ]] || { echo "usage: bench/startup.sh [runs] [build dir]" >&2; exit 2; }
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPB_TESTS=OFF >/dev/null
  fi
  cmake --build "$build" -j "$(nproc)" --target puzzlebin puzzlebin_unframed smallest_webkit startup_watch \
    >"$build/startup-build.log" 2>&1 || { tail -n 40 "$build/startup-build.log"; exit 1; }
  build=$(cd "$build" && pwd)
  PB_STARTUP_INNER=1 exec scripts/with-display --private bash "$0" "$runs" "$build"
fi

puzzlebin="$build/app/puzzlebin"
unframed="$build/bench/peer/puzzlebin_unframed"
peer="$build/bench/peer/smallest_webkit"
watch="$build/bench/peer/startup_watch"
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Both programs run with the same user folders (kept across runs, as a user's are) and the
# same web rendering settings: on a display without GPU acceleration Puzzlebin would choose
# software rendering for itself, so the peer is given the same.
export HOME="$work/home"
mkdir -p "$HOME"
unset XDG_DATA_HOME XDG_CACHE_HOME XDG_CONFIG_HOME
export WEBKIT_DISABLE_COMPOSITING_MODE=1 WEBKIT_DISABLE_DMABUF_RENDERER=1
if [ "$(id -u)" = 0 ] && ! unshare --user --map-root-user true 2>/dev/null; then
  export WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1
fi
site="file://$root/site/"

# Microseconds of an EPOCHREALTIME value.
micros() { echo $(( ${1/./} )); }

descendants() {  # <pid>: the pid and all its descendants
  local all=("$1") i=0 p
  while [ "$i" -lt "${#all[@]}" ]; do
    for p in $(ps -o pid= --ppid "${all[$i]}" 2>/dev/null); do all+=("$p"); done
    i=$((i + 1))
  done
  echo "${all[@]}"
}

# Resident and proportional set sizes (kB) of a process tree.
tree_memory() {
  local rss=0 pss=0 p v
  for p in $(descendants "$1"); do
    v=$(awk '/^VmRSS:/ { print $2 }' "/proc/$p/status" 2>/dev/null || true); rss=$((rss + ${v:-0}))
    v=$(awk '/^Pss:/ { print $2 }' "/proc/$p/smaps_rollup" 2>/dev/null || true); pss=$((pss + ${v:-0}))
  done
  echo "$rss $pss"
}

# run_one <name> <event prefix> <window title> <command...>: prints
# "<mapped ms> <painted ms> <loaded ms> <rss kB> <pss kB>".
run_one() {
  local name=$1 prefix=$2 title=$3; shift 3
  local events="$work/$name.events" seen="$work/$name.watch" watcher pid="" deadline
  : >"$events"
  : >"$seen"
  "$watch" --name "$title" -- "$@" >"$seen" 2> >(while IFS= read -r line; do echo "$EPOCHREALTIME $line"; done >>"$events") &
  watcher=$!
  deadline=$((SECONDS + 60))
  while [ "$(grep -c " $prefix: loaded " "$events" || true)" -lt 3 ] || ! grep -q '^painted ' "$seen"; do
    [ -n "$pid" ] || pid=$(sed -n 's/^pid //p' "$seen")
    [ "$SECONDS" -lt "$deadline" ] && kill -0 "$watcher" 2>/dev/null || {
      echo "startup: $name did not show, paint and load its window and pages" >&2; cat "$seen" "$events" >&2; exit 1; }
    sleep 0.01
  done
  [ -n "$pid" ] || pid=$(sed -n 's/^pid //p' "$seen")
  local memory start mapped painted loaded
  memory=$(tree_memory "$pid")
  start=$(sed -n 's/^start //p' "$seen")
  mapped=$(sed -n 's/^mapped //p' "$seen")
  painted=$(sed -n 's/^painted //p' "$seen")
  loaded=$(micros "$(grep " $prefix: loaded " "$events" | sed -n 3p | cut -d' ' -f1)")
  kill "$pid" 2>/dev/null || true
  wait "$watcher" 2>/dev/null || true
  echo "$(( (mapped - start) / 1000 )) $(( (painted - start) / 1000 )) $(( (loaded - start) / 1000 )) $memory"
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One run of each first, not counted: the user folders and the file cache are then warm
# for all three.
title="Puzzlebin V1.0.0"
run_one puzzlebin puzzlebin-event "$title" env PUZZLEBIN_TEST_EVENTS=1 "$puzzlebin" >/dev/null
run_one unframed puzzlebin-event "$title" env PUZZLEBIN_TEST_EVENTS=1 "$unframed" >/dev/null
run_one peer peer-event smallest_webkit "$peer" "$site" >/dev/null
for _ in $(seq 1 "$runs"); do
  run_one puzzlebin puzzlebin-event "$title" env PUZZLEBIN_TEST_EVENTS=1 "$puzzlebin" >>"$work/puzzlebin.runs"
  run_one unframed puzzlebin-event "$title" env PUZZLEBIN_TEST_EVENTS=1 "$unframed" >>"$work/unframed.runs"
  run_one peer peer-event smallest_webkit "$peer" "$site" >>"$work/peer.runs"
done

column_median() { awk -v c="$2" '{ print $c }' "$work/$1.runs" | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
echo "Start-up, $runs runs of each program alternating, $build_type build, medians:"
echo "  (ratios: Puzzlebin / unframed, Puzzlebin / smallest)"
printf '  %-36s %10s %10s %10s %7s %7s\n' "" puzzlebin unframed smallest ratio ratio
mib() { awk -v v="$1" 'BEGIN { printf "%.1f", v / 1024 }'; }
row() {
  local a u b
  a=$(column_median puzzlebin "$2"); u=$(column_median unframed "$2"); b=$(column_median peer "$2")
  if [ -n "${3:-}" ]; then a=$(mib "$a"); u=$(mib "$u"); b=$(mib "$b"); fi
  printf '  %-36s %10s %10s %10s %7s %7s\n' "$1" "$a" "$u" "$b" "$(ratio "$a" "$u")" "$(ratio "$a" "$b")"
}
row "start -> window mapped (ms)" 1
row "start -> window painted (ms)" 2
row "start -> three pages loaded (ms)" 3
row "resident memory, process tree (MiB)" 4 mib
row "proportional memory, tree (MiB)" 5 mib
echo "  Puzzlebin painted / smallest mapped: $(ratio "$(column_median puzzlebin 2)" "$(column_median peer 1)")"
echo "  load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "  every run (mapped ms, painted ms, loaded ms, RSS kB, PSS kB):"
paste -d' ' <(sed 's/^/    puzzlebin /' "$work/puzzlebin.runs") <(sed 's/^/  unframed /' "$work/unframed.runs") \
  <(sed 's/^/  peer /' "$work/peer.runs")
