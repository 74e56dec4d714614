#!/usr/bin/env bash
# Reading files as Chinese offices have them, and the plain paths beside
# them. corvane-calc sets out a sheet of ROWS design points
# (bench/cli/generate.awk) named in Chinese (控制点1, code 中线), the same file
# in UTF-8 and in GBK, and the files of the tool's other benchmark: the
# points named in ASCII, forward rows, and the quoted decimal-comma sheet of
# a spreadsheet. With OLD=/path/to/corvane-calc an older binary runs beside
# the new on every file but the GBK one (garbage to a binary that reads no
# GBK). Every run of every pair is interleaved with the others; printed are
# medians of CPU time (user + system) and of wall time, and the ratios that
# matter: GBK against UTF-8, new against old. Then the instructions of one
# run of each on CG_ROWS rows (callgrind; immune to a busy machine), and
# text_lines_bench times the reading layer alone.
# Usage: bench/text/run.sh [BUILD_DIR]
#        (default build/default; RUNS=9, ROWS=1000000, CG_ROWS=200000, OLD=)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build/default}
runs=${RUNS:-9}
rows=${ROWS:-1000000}
cg_rows=${CG_ROWS:-200000}
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

setout=(setout --station 3350000,500000 --backsight 3350100,500100 --columns name,code,y,x,h)
# The files of `count` rows in $work/NAME.txt, and the arguments each is read with.
declare -A args
make_files() {  # make_files COUNT
  gawk -v mode=setout -v rows="$1" -f "$root/bench/cli/generate.awk" >"$work/ascii.txt"
  sed 's/^K\([0-9]*\),,/控制点\1,中线,/' "$work/ascii.txt" >"$work/utf8.txt"
  iconv -f UTF-8 -t GB18030 "$work/utf8.txt" >"$work/gbk.txt"
  gawk -v mode=forward -v rows="$1" -f "$root/bench/cli/generate.awk" >"$work/forward.txt"
  gawk -v mode=quoted -v rows="$1" -f "$root/bench/cli/generate.awk" >"$work/quoted.txt"
}
args[ascii]="${setout[*]}"
args[utf8]="${setout[*]}"
args[gbk]="${setout[*]}"
args[quoted]="${setout[*]}"
args[forward]=forward
make_files "$rows"

# The new binary reads the GBK file into the UTF-8 file's answers.
# shellcheck disable=SC2086
if ! cmp -s <("$calc" ${args[gbk]} -i "$work/gbk.txt" 2>/dev/null) \
            <("$calc" ${args[utf8]} -i "$work/utf8.txt" 2>/dev/null); then
  echo "the GBK file does not give the UTF-8 file's answers" >&2
  exit 1
fi

# Runs one pair on its file; appends "cpu_seconds wall_seconds" to its list
# (bash's time: the run's own rusage, to the millisecond).
measure() {  # measure NAME BINARY FILE
  local TIMEFORMAT='%3U %3S %3R'
  # shellcheck disable=SC2086
  { time "$2" ${args[$3]} -i "$work/$3.txt" >/dev/null 2>&1; } 2>"$work/time" || true
  awk '{ printf "%.3f %.3f\n", $1 + $2, $3 }' "$work/time" >>"$work/$1.times"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

pairs=()
for file in ascii utf8 gbk forward quoted; do
  pairs+=("new_$file $calc $file")
  if [ -n "$old" ] && [ "$file" != gbk ]; then pairs+=("old_$file $old $file"); fi
done
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for _ in $(seq "$runs"); do
  for pair in "${pairs[@]}"; do
    # shellcheck disable=SC2086
    measure $pair
  done
done
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
printf "%-12s %9s %9s   (%d rows, medians of %d runs)\n" run "cpu s" "wall s" "$rows" "$runs"
declare -A cpu wall
for pair in "${pairs[@]}"; do
  name=${pair%% *}
  cpu[$name]=$(cut -d' ' -f1 <"$work/$name.times" | median)
  wall[$name]=$(cut -d' ' -f2 <"$work/$name.times" | median)
  printf "%-12s %9.3f %9.3f\n" "$name" "${cpu[$name]}" "${wall[$name]}"
done
ratio() { echo "$1 $2" | awk '{ printf "%.3f", $1 / $2 }'; }
echo "GBK / UTF-8 (new):      cpu $(ratio "${cpu[new_gbk]}" "${cpu[new_utf8]}")x" \
     "wall $(ratio "${wall[new_gbk]}" "${wall[new_utf8]}")x   (at most 1.3)"
if [ -n "$old" ]; then
  for file in ascii utf8 forward quoted; do
    printf "new / old (%-8s)  cpu %sx wall %sx\n" "$file" \
      "$(ratio "${cpu[new_$file]}" "${cpu[old_$file]}")" \
      "$(ratio "${wall[new_$file]}" "${wall[old_$file]}")"
  done
fi

if command -v valgrind >/dev/null; then
  echo
  make_files "$cg_rows"
  # One run's instructions (callgrind's Ir), the threads' included.
  instructions() {  # instructions BINARY FILE
    # shellcheck disable=SC2086
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" ${args[$2]} \
      -i "$work/$2.txt" 2>&1 >/dev/null | awk '/Collected :/ { print $NF }'
  }
  printf "%-10s %14s %14s %8s   (%d rows, callgrind)\n" file "new Ir" "old Ir" "new/old" "$cg_rows"
  for file in ascii utf8 gbk forward quoted; do
    new_ir=$(instructions "$calc" "$file")
    if [ -n "$old" ] && [ "$file" != gbk ]; then
      old_ir=$(instructions "$old" "$file")
      printf "%-10s %14s %14s %8s\n" "$file" "$new_ir" "$old_ir" "$(ratio "$new_ir" "$old_ir")"
    else
      printf "%-10s %14s %14s %8s\n" "$file" "$new_ir" - -
    fi
  done
  echo "GBK / UTF-8 (new, Ir): $(ratio "$(instructions "$calc" gbk)" \
    "$(instructions "$calc" utf8)")x"
fi
echo
"$build/bench/text/text_lines_bench" --benchmark_repetitions="$runs" \
  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
  --benchmark_filter=. 2>&1 | grep -E "median|^Run|^-|^Benchmark"
