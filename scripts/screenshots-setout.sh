#!/usr/bin/env bash
# Remakes the README's pictures of the setting-out window: the window on the
# example design file (docs/design.dat, docs/ctl.dat) with one point picked
# from the keyboard, and the first page of the PDF the program writes for it.
# Usage: scripts/screenshots-setout.sh [OUTPUT_DIR]   (default docs/)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs}
scripts/deps.sh xdotool
cmake --preset default >/dev/null
cmake --build --preset default --target corvane >/dev/null
mkdir -p "$out"
program=build/default/app/corvane
sheet=(docs/design.dat --columns name,code,y,x,h --control docs/ctl.dat
       --station-point A1 --backsight-point A2 --decimals 3 --azimuth-decimals 4)

# The PDF as a user writes it, without a display. The file has a mistyped
# row on purpose, so the program ends with 1 (some row failed).
tmp=$(mktemp -d)
window="" setout="" xvfb_pid=""
trap 'kill $setout $xvfb_pid 2>/dev/null || true; rm -rf "$tmp"' EXIT
status=0
env -u DISPLAY "$program" --setout "${sheet[@]}" --pdf "$tmp/sheet.pdf" || status=$?
[ "$status" -le 1 ] || { echo "the PDF was not written" >&2; exit 1; }
pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$tmp/sheet.pdf" "$out/setout-pdf"

. scripts/xvfb.sh
start_xvfb 1100x760x24
"$program" --setout "${sheet[@]}" &
setout=$!
for _ in $(seq 100); do
  window=$(xdotool search --name '^放样表' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the setting-out window did not open" >&2; exit 1; }
sleep 1

# From the station's first field, seven Tabs reach the table (station, its
# name, backsight, its name, control file, the two decimals); Down then
# walks the rows to the centreline point Z5, whose ray the sketch draws.
xdotool windowfocus --sync "$window"
xdotool key --delay 50 Tab Tab Tab Tab Tab Tab Tab
xdotool key --delay 30 $(printf 'Down %.0s' $(seq 13))
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/setout.png"
echo "wrote $out/setout.png and $out/setout-pdf.png"
