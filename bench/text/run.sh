#!/usr/bin/env bash
# Reading files as Chinese offices have them: corvane-calc sets out a sheet
# of ROWS design points (bench/cli/generate.awk) named in Chinese (控制点1,
# code 中线), the same file in UTF-8 and in GBK, and the points named in
# ASCII as the tool's other benchmark has them; with OLD=/path/to/corvane-calc
# an older binary beside the new on the UTF-8 files (the GBK file is
# garbage to a binary that reads no GBK, so it is not timed there). Every
# run of every pair is interleaved with the others; printed are medians of
# CPU time (user + system) and of wall time, and the ratios that matter: GBK
# against UTF-8, new against old. Then text_lines_bench times the reading
# layer alone.
# Usage: bench/text/run.sh [BUILD_DIR]   (default build/default; RUNS=9, ROWS=1000000, OLD=)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build/default}
runs=${RUNS:-9}
rows=${ROWS:-1000000}
old=${OLD:-}
cd "$root"
if [ ! -f "$build/build.ninja" ]; then
  scripts/deps.sh
  cmake --preset default >/dev/null
fi
cmake --build "$build" --target corvane-calc text_lines_bench >/dev/null
calc="$build/cli/corvane-calc"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

gawk -v mode=setout -v rows="$rows" -f "$root/bench/cli/generate.awk" >"$work/ascii.csv"
sed 's/^K\([0-9]*\),,/控制点\1,中线,/' "$work/ascii.csv" >"$work/utf8.csv"
iconv -f UTF-8 -t GB18030 "$work/utf8.csv" >"$work/gbk.csv"
args=(setout --station 3350000,500000 --backsight 3350100,500100 --columns name,code,y,x,h)

# The new binary reads the GBK file into the UTF-8 file's answers.
if ! cmp -s <("$calc" "${args[@]}" -i "$work/gbk.csv" 2>/dev/null) \
            <("$calc" "${args[@]}" -i "$work/utf8.csv" 2>/dev/null); then
  echo "the GBK file does not give the UTF-8 file's answers" >&2
  exit 1
fi

# Runs one pair on a file; appends "cpu_seconds wall_seconds" to its list
# (bash's time: the run's own rusage, to the millisecond).
measure() {  # measure NAME BINARY FILE
  local TIMEFORMAT='%3U %3S %3R'
  { time "$2" "${args[@]}" -i "$3" >/dev/null 2>&1; } 2>"$work/time" || true
  awk '{ printf "%.3f %.3f\n", $1 + $2, $3 }' "$work/time" >>"$work/$1.times"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

pairs=("new_ascii $calc $work/ascii.csv" "new_utf8 $calc $work/utf8.csv"
       "new_gbk $calc $work/gbk.csv")
if [ -n "$old" ]; then
  pairs+=("old_ascii $old $work/ascii.csv" "old_utf8 $old $work/utf8.csv")
fi
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for _ in $(seq "$runs"); do
  for pair in "${pairs[@]}"; do
    # shellcheck disable=SC2086
    measure $pair
  done
done
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
printf "%-10s %9s %9s   (%d rows, medians of %d runs)\n" run "cpu s" "wall s" "$rows" "$runs"
declare -A cpu wall
for pair in "${pairs[@]}"; do
  name=${pair%% *}
  cpu[$name]=$(cut -d' ' -f1 <"$work/$name.times" | median)
  wall[$name]=$(cut -d' ' -f2 <"$work/$name.times" | median)
  printf "%-10s %9.3f %9.3f\n" "$name" "${cpu[$name]}" "${wall[$name]}"
done
ratio() { echo "$1 $2" | awk '{ printf "%.2f", $1 / $2 }'; }
echo "GBK / UTF-8 (new):     cpu $(ratio "${cpu[new_gbk]}" "${cpu[new_utf8]}")x" \
     "wall $(ratio "${wall[new_gbk]}" "${wall[new_utf8]}")x   (at most 1.3)"
if [ -n "$old" ]; then
  for file in ascii utf8; do
    echo "new / old ($file):    cpu $(ratio "${cpu[new_$file]}" "${cpu[old_$file]}")x" \
         "wall $(ratio "${wall[new_$file]}" "${wall[old_$file]}")x"
  done
fi
echo
"$build/bench/text/text_lines_bench" --benchmark_repetitions="$runs" \
  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
  --benchmark_filter=. 2>&1 | grep -E "median|^Run|^-|^Benchmark"
