#!/usr/bin/env bash
# CI: valgrind's memory and leak check on one scripted session of the
# calculator (tests/ui/calc/calc_session.cpp: start, compute forward and inverse,
# the about box from its button and from the window menu, 退出). Fails on any
# memory error or definitely lost block, and names the lost blocks that our
# own code allocated.
# Usage: scripts/valgrind-session.sh [build-dir]   (default: build/default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
scripts/deps.sh
cmake --preset default -B "$build" >/dev/null
cmake --build "$build" --target calc_session
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/runtime"

status=0
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch/runtime" \
  valgrind --leak-check=full --errors-for-leak-kinds=definite --error-exitcode=1 \
  --num-callers=40 --fullpath-after="$PWD/" --log-file="$scratch/valgrind.log" \
  "$build/tests/ui/calc/calc_session" || status=$?

# Each loss record runs to the next bare "==pid== " line; frames in our
# sources show as "(core/...)", "(ui/...)" and so on.
ours=$(awk '
  /^==[0-9]+== $/ { if (definite && mine) printf "%s", record; record = ""; definite = mine = 0; next }
  { record = record $0 "\n" }
  /are definitely lost in loss record/ { definite = 1 }
  /\((core|controls|ui|res|app|tests)\/[^ ]+:[0-9]+\)/ { mine = 1 }
' "$scratch/valgrind.log")

sed -n '/LEAK SUMMARY/,/suppressed:/p' "$scratch/valgrind.log"
grep 'ERROR SUMMARY' "$scratch/valgrind.log"
if [ -n "$ours" ]; then
  printf 'valgrind-session: blocks lost by our code:\n%s\n' "$ours" >&2
  exit 1
fi
if [ "$status" -ne 0 ]; then
  cat "$scratch/valgrind.log" >&2
  echo "valgrind-session: the session failed under valgrind (status $status)" >&2
  exit 1
fi
echo "valgrind-session: no memory errors, nothing definitely lost"
