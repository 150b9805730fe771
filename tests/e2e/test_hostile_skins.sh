#!/usr/bin/env bash
# End to end: pbskin info on small skin files that declare huge pictures, too many
# pictures together, or lying RLE data (made by hostile_skins.py) refuses each quickly with a
# message naming the picture and a non-zero exit code, its peak memory staying under
# 256 MB; a file of eight full-HD pictures (within the budget) and both real skins pass.
# Prints the peak memory and time of every run. Needs /usr/bin/time (package "time").
#   tests/e2e/test_hostile_skins.sh <build dir>
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
source "$here/e2e_lib.sh"
pbskin="$build/tools/pbskin/pbskin"
[ -x "$pbskin" ] || { echo "FAIL: $pbskin is not built" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "FAIL: /usr/bin/time is missing (package time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
limit_kb=$((256 * 1024))
cpu_limit=10  # seconds of processor time; the refused files take a fraction of one

# run <file> <exit code wanted> <text the output must hold>: runs pbskin info under
# /usr/bin/time -v and checks the exit code, the message, the peak memory and the time.
run() {
  local file=$1 want=$2 text=$3 name status rss user sys cpu
  name=$(basename "$file")
  /usr/bin/time -v -o "$work/time.txt" timeout 120 "$pbskin" info "$file" >"$work/out.txt" 2>&1
  status=$?
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")
  user=$(sed -n 's/.*User time (seconds): //p' "$work/time.txt")
  sys=$(sed -n 's/.*System time (seconds): //p' "$work/time.txt")
  cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.2f", u + s }')
  printf '  %-32s exit %s  peak %6d KB  cpu %5s s  wall %s\n' "$name" "$status" "${rss:-0}" "$cpu" \
    "$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.txt")"
  if [ "$want" = 0 ] && [ "$status" != 0 ]; then
    fail "$name: exit $status, wanted 0: $(tail -n 3 "$work/out.txt")"
  elif [ "$want" != 0 ] && { [ "$status" = 0 ] || [ "$status" -ge 124 ]; }; then
    fail "$name: exit $status, wanted a refusal: $(tail -n 3 "$work/out.txt")"
  fi
  grep -qF -- "$text" "$work/out.txt" || fail "$name: the output lacks \"$text\": $(head -n 3 "$work/out.txt")"
  if [ "$want" != 0 ] && grep -q '^0 problem(s)' "$work/out.txt"; then fail "$name: refused, yet reports 0 problem(s)"; fi
  [ "${rss:-999999999}" -lt "$limit_kb" ] || fail "$name: peak memory ${rss} KB, over $limit_kb KB"
  awk -v c="$cpu" -v l="$cpu_limit" 'BEGIN { exit !(c < l) }' || fail "$name: ${cpu} s of processor time"
}

python3 "$here/hostile_skins.py" "$work/files" >/dev/null || { echo "FAIL: hostile_skins.py" >&2; exit 1; }
echo "hostile skin files:"
for f in "$work/files"/*.skin; do
  case $(basename "$f") in
    huge-two.skin | huge-eight.skin)
      run "$f" 1 "pbskin: main picture: picture of 16384 x 16384 pixels is too large for a skin" ;;
    many-full-hd.skin) run "$f" 1 "pbskin: active picture 7: picture of 1920 x 1080 pixels is too large for a skin" ;;
    rle-run-past-edge.skin) run "$f" 1 "pbskin: main picture: Invalid bitmap: an RLE run runs past the picture's edge" ;;
    rle-delta-past-end.skin) run "$f" 1 "pbskin: main picture: Invalid bitmap: an RLE delta moves past the picture's edge" ;;
    rle-ends-early.skin) run "$f" 1 "pbskin: main picture: Invalid bitmap: the RLE data ends before the end-of-picture mark" ;;
    rle-end-mark-and-padding.skin) run "$f" 1 "pbskin: main picture: Invalid bitmap: the RLE data is far too short" ;;
    eight-full-hd.skin) run "$f" 0 "0 problem(s)" ;;
    *) fail "unexpected file $f" ;;
  esac
done

echo "real skins:"
for skin in default gallery; do
  if "$pbskin" build "$root/skins/$skin/skin.ini" "$work/$skin.skin" >"$work/build.txt" 2>&1; then
    run "$work/$skin.skin" 0 "0 problem(s)"
  else
    fail "pbskin build skins/$skin: $(cat "$work/build.txt")"
  fi
done

if [ "$failures" -eq 0 ]; then
  echo "test_hostile_skins: all passed"
  exit 0
fi
echo "test_hostile_skins: $failures failure(s)" >&2
exit 1
