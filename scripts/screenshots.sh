#!/usr/bin/env bash
# Remakes the README's pictures: the calculator after a forward computation,
# the about box, the setting-out window on the example design file
# (docs/design.dat, docs/ctl.dat) with one point picked from the keyboard,
# and the first page of the PDF the program writes for it, taken from the
# real program on virtual X displays.
# Usage: scripts/screenshots.sh [OUTPUT_DIR]   (default docs/)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs}
scripts/deps.sh xdotool
cmake --preset default >/dev/null
cmake --build --preset default --target corvane >/dev/null
mkdir -p "$out"
program=build/default/app/corvane

. scripts/xvfb.sh
running="" xvfb_pid="" tmp=$(mktemp -d)
trap 'kill $running $xvfb_pid 2>/dev/null || true; rm -rf "$tmp"' EXIT
# What the windows remember (the files shown, their setups) stays out of
# the user's own settings.
export XDG_CONFIG_HOME="$tmp/config"

# The id of the first window whose title matches $1, once it is there.
find_window() {
  local window=""
  for _ in $(seq 100); do
    window=$(xdotool search --name "$1" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "no window called $1 opened" >&2; return 1; }
  echo "$window"
}
crop() {  # the window's own rectangle out of the whole screen
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}

start_xvfb 640x400x24
"$program" &
running=$!
window=$(find_window '^Corvane$')
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
crop "$window" "$out/calculator.png"

# "关于" sits at 83,99 (54 x 14) in dialog units: the middle of the button row.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" $((WIDTH / 2)) $((HEIGHT - 20)) click 1
sleep 0.4
xdotool mousemove 0 0
import -window root png:- | convert png:- -trim +repage "$out/about.png"  # cut the empty screen away
kill "$running" "$xvfb_pid"

# The setting-out sheet's PDF as a user writes it, without a display. The
# design file has a mistyped row on purpose, so the program ends with 1.
sheet=(docs/design.dat --columns name,code,y,x,h --control docs/ctl.dat
       --station-point A1 --backsight-point A2 --decimals 3 --azimuth-decimals 4)
status=0
env -u DISPLAY "$program" --setout "${sheet[@]}" --pdf "$tmp/sheet.pdf" || status=$?
[ "$status" -le 1 ] || { echo "the PDF was not written" >&2; exit 1; }
pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$tmp/sheet.pdf" "$out/setout-pdf"

# The window on the same sheet. From the station's first field, ten Tabs
# reach the table (station, its name, backsight, its name, control file,
# 移除, the two decimals, 编码, 查找点名); Down then walks the rows to the
# centreline point Z5, whose ray the sketch draws.
start_xvfb 1100x760x24
"$program" --setout "${sheet[@]}" &
running=$!
window=$(find_window '^放样表')
sleep 1
xdotool windowfocus --sync "$window"
xdotool key --delay 50 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
xdotool key --delay 30 $(printf 'Down %.0s' $(seq 13))
sleep 0.5
crop "$window" "$out/setout.png"
echo "wrote $out/calculator.png, $out/about.png, $out/setout.png and $out/setout-pdf.png"
