#!/usr/bin/env bash
# The setting-out window with big design files (bench/setout/setout_bench.cpp:
# 100,000 points opened, zoomed and panned, the memory they take; 1,000,000
# points read and cancelled at random moments), then, in the same run, the
# bare calculator's start-up against a minimal Qt dialog (bench/startup).
# The design files come from bench/cli/generate.awk, as corvane-calc's bench.
# Usage: bench/setout/run.sh [BUILD_DIR]   (default build/default)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build/default}
cd "$root"
if [ ! -f "$build/build.ninja" ]; then
  scripts/deps.sh
  cmake --preset default >/dev/null
fi
cmake --build "$build" --target setout_bench startup_bench >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for rows in 100000 1000000; do
  gawk -v mode=setout -v rows=$rows -f bench/cli/generate.awk >"$work/$rows.dat"
done
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/setout/setout_bench" "$work/100000.dat" "$work/1000000.dat"
"$build/bench/startup/startup_bench"
