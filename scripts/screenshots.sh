#!/usr/bin/env bash
# Remakes the pictures of the README and its pages under docs/: the
# calculator after a forward computation, the about box, the setting-out
# window on the example design file (docs/design.dat, docs/ctl.dat) with
# one point picked from the keyboard,
# the same with heights to stake and angles in D°M′S″, the first page of
# the PDF the program writes for it, the setup dialog of a free station
# typed on the worked case (docs/known.dat, docs/free.txt, docs/stakes.dat),
# the road window on the example road (docs/road.csv, docs/profile.csv)
# with its stakes and a point computed both ways, and the first page of the
# road's PDF, the coordinate transformation window on a four-parameter fit at
# scales 1 and 2, the 导线/水准 window on the worked traverse and levelling
# line (docs/traverse.txt, docs/level.txt, docs/control.dat,
# docs/benchmarks.dat) at screen scales 1 and 2 and the traverse's form;
# taken from the real program on virtual X displays, with settings of
# their own.
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
export XDG_CONFIG_HOME="$tmp/config"  # what the user's windows remember stays out

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

# The window on the same sheet. From the first field, 设站方式, sixteen Tabs
# reach the table (control file, 移除, station, its name, backsight, its
# name, the three heights, the correction, the angle format, the two
# decimals, 编码, 查找点名); Down then walks the rows to the centreline point
# Z5, whose ray the sketch draws.
start_xvfb 1100x760x24
"$program" --setout "${sheet[@]}" &
running=$!
window=$(find_window '^放样表')
sleep 1
xdotool windowfocus --sync "$window"
xdotool key --delay 50 $(printf 'Tab %.0s' $(seq 16))
xdotool key --delay 30 $(printf 'Down %.0s' $(seq 13))
sleep 0.5
crop "$window" "$out/setout.png"
kill "$running"

# The same with the instrument's and the target's heights (the station's is
# A1's own in ctl.dat) and the angles as the instrument shows them.
"$program" --setout "${sheet[@]}" --instrument-height 1.552 --target-height 1.3 \
  --angle-format dms &
running=$!
window=$(find_window '^放样表')
sleep 1
crop "$window" "$out/setout-heights.png"
kill "$running"

# 自由设站 from the keyboard: Alt+M and Down twice pick the method, Alt+O
# opens the setup dialog; Tab from the direction's standard error to the
# distance's (5 mm), four more to the first row, then each row's name
# (Escape closes the names found), reading and distance.
"$program" --setout docs/stakes.dat --columns name,code,y,x,h --control docs/known.dat \
  --control-columns name,x,y --decimals 3 --azimuth-decimals 4 &
running=$!
window=$(find_window '^放样表')
sleep 1
xdotool windowfocus --sync "$window"
xdotool key --delay 80 alt+m Down Down
sleep 0.3
xdotool key alt+o
dialog=$(find_window '^自由设站$')
sleep 0.5
xdotool key --delay 50 Tab ctrl+a 5 Tab Tab Tab Tab
while read -r name reading distance; do
  case "$name" in '#'* | '') continue ;; esac
  xdotool type --delay 30 "$name"
  xdotool key Escape Tab
  xdotool type --delay 20 "$reading"
  xdotool key Tab
  xdotool type --delay 20 "$distance"
  xdotool key Tab
done <docs/free.txt
sleep 0.5
crop "$dialog" "$out/setup-free.png"
kill "$running" "$xvfb_pid"

# The road's PDF as a user writes it, without a display.
road=(docs/road.csv --profile docs/profile.csv --every 20 --offsets -10,10)
env -u DISPLAY "$program" --alignment "${road[@]}" --pdf "$tmp/road.pdf"
pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$tmp/road.pdf" "$out/road-pdf"

# The road window on the same road: a 正算 of the QZ of JD1, 10 m left,
# typed through the fields' keys (Alt+K 桩号, Tab 偏距), and a 反算 of a
# point 10 m right of HZ (Alt+X, Alt+Y).
start_xvfb 1280x820x24
"$program" --alignment "${road[@]}" &
running=$!
window=$(find_window '^线路')
sleep 1
xdotool windowfocus --sync "$window"
xdotool key alt+k type K0+209.047
xdotool key Tab type -- -10
xdotool key Return alt+x type 707.515
xdotool key alt+y type 249.895
xdotool key Return
sleep 0.5
crop "$window" "$out/road.png"
kill "$running" "$xvfb_pid"

# The 坐标转换 window on the four-parameter example: the fit of the common
# points (docs/transform-common.csv), one over the 20 mm limit, and the
# points converted (docs/transform-points.csv); at scales 1 and 2.
for scale in 1 2; do
  start_xvfb $((1280 * scale))x$((820 * scale))x24
  QT_SCALE_FACTOR=$scale "$program" --transform fourparam docs/transform-common.csv \
    docs/transform-points.csv &
  running=$!
  window=$(find_window '^坐标转换')
  sleep 1.5
  name=transform
  [ "$scale" = 1 ] || name=transform-2x
  crop "$window" "$out/$name.png"
  kill "$running" "$xvfb_pid"
done
# The 导线/水准 window on the worked traverse and levelling line, at the
# screen scale given (1 for docs/, 2 to look at), and the traverse's form.
traverse=(--traverse --control docs/control.dat --start B --start-azimuth 237.5930 --end C
          --end-azimuth 46.4524 docs/traverse.txt)
level=(--level --control docs/benchmarks.dat --start BMA --end BMB --by-stations docs/level.txt)
control_shots() {  # control_shots SCALE SUFFIX
  start_xvfb "$((1320 * $1))x$((840 * $1))x24"
  QT_SCALE_FACTOR=$1 "$program" "${traverse[@]}" &
  running=$!
  window=$(find_window '^导线/水准')
  sleep 1.5
  crop "$window" "$out/traverse$2.png"
  kill "$running"
  QT_SCALE_FACTOR=$1 "$program" "${level[@]}" &
  running=$!
  window=$(find_window '^导线/水准')
  sleep 1.5
  crop "$window" "$out/level$2.png"
  kill "$running" "$xvfb_pid"
}
control_shots 1 ""
control_shots 2 "-scale2"
env -u DISPLAY "$program" "${traverse[@]}" --pdf "$tmp/traverse.pdf"
pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$tmp/traverse.pdf" "$out/traverse-pdf"
echo "wrote $out/calculator.png, $out/about.png, $out/setout.png, $out/setout-heights.png," \
  "$out/setout-pdf.png, $out/setup-free.png, $out/road.png, $out/road-pdf.png," \
  "$out/transform.png, $out/transform-2x.png, $out/traverse.png, $out/level.png" \
  "(and at scale 2) and $out/traverse-pdf.png"
