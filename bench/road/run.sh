#!/usr/bin/env bash
# Times corvane-calc along a road against its forward mode, in the same run:
# 1,000,000 forward rows, 1,000,000 stake rows (CHAINAGE OFFSET, random
# within 20 m of the centre line) and 1,000,000 locate rows (X Y of such
# points) on an alignment of 50 curves over 50 km (JDs a kilometre apart,
# turning 20° to 40° left and right in turn, radii of 500 to 900 m, spirals
# of 60 to 150 m, as bench/alignment has it), and the stakes of that road
# every 20 m with side stakes at 10 m (stake --every). Prints rows/s as
# medians and each mode's share of forward's. Then the 线路 window draws the
# same road and its stakes, zoom step by zoom step
# (bench/road/road_window_bench.cpp).
# Usage: bench/road/run.sh [BUILD_DIR]   (default build/default; RUNS=5, ROWS=1000000)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build/default}
runs=${RUNS:-5}
rows=${ROWS:-1000000}
cd "$root"
if [ -n "${CALC:-}" ]; then
  calc=$CALC
else
  cmake --build "$build" --target corvane-calc road_window_bench >/dev/null
  calc="$build/cli/corvane-calc"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

gawk -v seed=50 'BEGIN {
  srand(seed); x = 3000000; y = 500000; heading = 0.7
  print "BP," x "," y
  for (i = 0; i <= 50; i++) {
    x += 1000 * cos(heading); y += 1000 * sin(heading)
    if (i < 50) printf "JD%d,%.3f,%.3f,%.0f,%.0f\n", i + 1, x, y, 500 + 400 * rand(), 60 + 90 * rand()
    else printf "EP,%.3f,%.3f\n", x, y
    heading += (i % 2 ? 1 : -1) * (20 + 20 * rand()) * 3.141592653589793 / 180
  }
}' >"$work/road.csv"
road=(--alignment "$work/road.csv")
length=$("$calc" alignment "${road[@]}" | tail -1 | cut -d, -f13 | tr -d K | tr + ' ' |
         awk '{ print $1 * 1000 + $2 }')
gawk -v mode=forward -v rows="$rows" -f "$root/bench/cli/generate.awk" >"$work/forward.txt"
gawk -v rows="$rows" -v len="$length" 'BEGIN {
  srand(26); for (i = 0; i < rows; i++) printf "%.3f %.3f\n", rand() * len, (rand() - 0.5) * 40
}' >"$work/stake.txt"
"$calc" stake "${road[@]}" --decimals 3 <"$work/stake.txt" | cut -d' ' -f1,2 >"$work/locate.txt"

# Runs corvane-calc with the arguments on $input to /dev/null; prints seconds.
measure() {
  local start end
  start=$EPOCHREALTIME
  "$calc" "$@" <"$input" >/dev/null
  end=$EPOCHREALTIME
  echo "$start $end" | awk '{ printf "%.6f\n", $2 - $1 }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

: >"$work/forward.s"; : >"$work/stake.s"; : >"$work/locate.s"; : >"$work/every.s"
for _ in $(seq "$runs"); do
  input="$work/forward.txt"; measure forward >>"$work/forward.s"
  input="$work/stake.txt"; measure stake "${road[@]}" >>"$work/stake.s"
  input="$work/locate.txt"; measure locate "${road[@]}" >>"$work/locate.s"
  input=/dev/null; measure stake "${road[@]}" --every 20 --offsets -10,10 >>"$work/every.s"
done
stakes=$("$calc" stake "${road[@]}" --every 20 --offsets -10,10 | wc -l)
forward=$(median <"$work/forward.s")
# Prints a mode's rows/s and its share of forward's.
report() {
  local secs; secs=$(median <"$work/$2.s")
  awk -v label="$1" -v n="$3" -v s="$secs" -v f="$forward" -v r="$rows" \
    'BEGIN { printf "%-28s %12.0f %8.0f%%\n", label, n / s, 100 * (n / s) / (r / f) }'
}
printf "%-28s %12s %9s\n" mode "rows/s" "forward's"
report forward forward "$rows"
report "stake (50 curves)" stake "$rows"
report "locate (50 curves)" locate "$rows"
report "stake --every 20 (${stakes})" every "$stakes"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
if [ -x "$build/bench/road/road_window_bench" ]; then
  "$build/bench/road/road_window_bench" "$work/road.csv"
fi
