#!/usr/bin/env bash
# scripts/xvfb.sh: two servers started side by side get displays of their
# own, and a server outlives the coming and going of its clients.
set -euo pipefail
. "$(dirname "$0")/../../scripts/xvfb.sh"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT
fail() { echo "FAIL $*"; exit 1; }

start_xvfb 320x200x24
first=$DISPLAY
pids+=("$xvfb_pid")
start_xvfb 640x400x24
second=$DISPLAY
pids+=("$xvfb_pid")
[ "$first" != "$second" ] || fail "both servers were given $first"
for display in "$first" "$second"; do
  xprop -display "$display" -root >/dev/null || fail "no server answers on $display"
done
echo "ok   side by side: $first and $second"

# A client that leaves as the last one must not reset the server: a reset
# drops whatever connects at that moment, and clears the root window.
xprop -root -f CORVANE_MARK 8s -set CORVANE_MARK kept
mark=$(xprop -root CORVANE_MARK)
[ "$mark" = 'CORVANE_MARK(STRING) = "kept"' ] || fail "the server reset when its client left: $mark"
echo "ok   no reset when the last client leaves"
