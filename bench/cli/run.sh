#!/usr/bin/env bash
# Times corvane-calc against a gawk script doing the same computation on
# 1,000,000 generated forward rows, 1,000,000 inverse rows and 1,000,000
# design points of a setting-out sheet, twice: as field software exports
# them (setout) and as a spreadsheet saves them where the comma is the
# decimal mark, quoted and separated by semicolons (quoted); in the same run.
# Prints rows/s of each, the ratio and corvane-calc's peak memory, as medians.
# Usage: bench/cli/run.sh [BUILD_DIR]   (default build/default; RUNS=5, ROWS=1000000)
#        CALC=/path/to/corvane-calc bench/cli/run.sh   times that binary as it is
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
  if [ ! -f "$build/build.ninja" ]; then
    scripts/deps.sh
    cmake --preset default >/dev/null
  fi
  cmake --build "$build" --target corvane-calc >/dev/null
  calc="$build/cli/corvane-calc"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a command on $input to /dev/null; prints "seconds peak_kib".
measure() {
  local start end
  start=$EPOCHREALTIME
  # A run whose rows fail (an older binary on a newer layout) is timed all the same.
  /usr/bin/time -o "$work/rss" -f "%M" "$@" <"$input" >/dev/null 2>&1 || true
  end=$EPOCHREALTIME
  echo "$start $end $(cat "$work/rss")" | awk '{ printf "%.6f %d\n", $2 - $1, $3 }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Setting out from a station towards a backsight, the design points in the
# columns field software exports.
station=3350000,500000
backsight=3350100,500100
setout_calc=(--station "$station" --backsight "$backsight"
             --columns name,code,y,x,h)
setout_gawk=(-v sx="${station%,*}" -v sy="${station#*,}"
             -v bx="${backsight%,*}" -v by="${backsight#*,}")

printf "%-8s %14s %14s %7s %12s\n" mode "calc rows/s" "gawk rows/s" ratio "calc peak"
for mode in forward inverse setout quoted; do
  calc_args=("$mode")
  gawk_args=(-v mode="$mode")
  if [ "$mode" = setout ] || [ "$mode" = quoted ]; then
    calc_args=(setout "${setout_calc[@]}")
    gawk_args+=("${setout_gawk[@]}")
  fi
  input="$work/$mode.txt"
  gawk -v mode="$mode" -v rows="$rows" -f "$here/generate.awk" >"$input"
  # The two must agree line for line, but for rounding ties of "%f" and the
  # azimuths whose seconds round to 60, which the tool carries into the
  # minutes (gawk writes 359.596000 where the tool writes 360.000000).
  differ=$(paste -d'|' <("$calc" "${calc_args[@]}" <"$input" 2>/dev/null) \
                       <(gawk "${gawk_args[@]}" -f "$here/survey.awk" "$input") |
           awk -F'|' '$1 != $2' | wc -l)
  : >"$work/calc" ; : >"$work/gawk" ; : >"$work/peak"
  for _ in $(seq "$runs"); do
    read -r secs peak < <(measure "$calc" "${calc_args[@]}")
    echo "$rows $secs" | awk '{ print $1 / $2 }' >>"$work/calc"
    echo "$peak" >>"$work/peak"
    read -r secs _ < <(measure gawk "${gawk_args[@]}" -f "$here/survey.awk")
    echo "$rows $secs" | awk '{ print $1 / $2 }' >>"$work/gawk"
  done
  c=$(median <"$work/calc"); g=$(median <"$work/gawk"); p=$(median <"$work/peak")
  printf "%-8s %14.0f %14.0f %6.1fx %9d KiB   (%d of %d lines differ from gawk)\n" \
    "$mode" "$c" "$g" "$(echo "$c $g" | awk '{ print $1 / $2 }')" "$p" "$differ" "$rows"
done
