#!/usr/bin/env bash
# The walking route over 10,000, 100,000 and 1,000,000 points
# (bench/route/route_bench.cpp): medians of five runs each.
# Usage: bench/route/run.sh [BUILD_DIR]   (default build/default)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build/default}
cd "$root"
if [ ! -f "$build/build.ninja" ]; then
  scripts/deps.sh
  cmake --preset default >/dev/null
fi
cmake --build "$build" --target route_bench >/dev/null
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/route/route_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_display_aggregates_only=true
