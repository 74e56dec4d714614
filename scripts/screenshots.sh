#!/usr/bin/env bash
# Remakes the README's pictures: the calculator after a forward computation,
# and the about box, taken from the real program on a virtual X display.
# Usage: scripts/screenshots.sh [OUTPUT_DIR]   (default docs/)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs}
scripts/deps.sh xdotool
cmake --preset default >/dev/null
cmake --build --preset default --target corvane >/dev/null
mkdir -p "$out"

. scripts/xvfb.sh
calc="" xvfb_pid=""
trap 'kill $calc $xvfb_pid 2>/dev/null || true' EXIT
start_xvfb 640x400x24

build/default/app/corvane &
calc=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name '^Corvane$' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the calculator did not open" >&2; exit 1; }
sleep 0.5

# Tab order from the focused compute button: 退出, 起点X, 起点Y, then the two
# (disabled) result fields are skipped, azimuth, distance.
xdotool windowfocus --sync "$window"
xdotool key Tab
for value in 1000 2000 45.3025 100; do
  xdotool key Tab type "$value"
done
xdotool key Return
sleep 0.3
crop() {  # the window's own rectangle out of the whole screen
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}
crop "$window" "$out/calculator.png"

# "关于" sits at 83,99 (54 x 14) in dialog units: the middle of the button row.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" $((WIDTH / 2)) $((HEIGHT - 20)) click 1
sleep 0.4
xdotool mousemove 0 0
import -window root png:- | convert png:- -trim +repage "$out/about.png"  # cut the empty screen away
echo "wrote $out/calculator.png and $out/about.png"
