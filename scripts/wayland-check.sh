#!/usr/bin/env bash
# The calculator as a native Wayland client (Qt's Wayland plugin, qt6-wayland)
# under Weston, a compositor that leaves the title bar to Qt as GNOME does:
#   - on Weston's headless backend it starts, names itself org.example.Corvane,
#     keeps its fixed size and shows the form;
#   - on Weston's X11 backend inside Xvfb, driven with xdotool, the hand cursor
#     draws over 计算, 关于, 退出 and the about box's mail address, the about box
#     is a child of the form, and maximize, the title bar's menu and minimize
#     leave the program running, the form at its size;
#   - 30 runs closed with Escape each end within a second;
#   - at a screen scale of two the hand is the 64-pixel picture.
# Usage: scripts/wayland-check.sh [PROGRAM]   (default: build/default/app/corvane, built here)
#   CHECK_X_DISPLAY=:N   run Xvfb on display N instead of any free one
#   CHECK_SOCKET=NAME    name Weston's sockets NAME-headless, NAME-x11 and NAME-x11-2
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh weston qt6-wayland xdotool
app=${1:-}
if [ -z "$app" ]; then
  cmake --preset default >/dev/null
  cmake --build --preset default --target corvane >/dev/null
  app=build/default/app/corvane
fi
socket=${CHECK_SOCKET:-wayland-corvane-check}
runs=30

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work  # Weston's sockets, private to this run
chmod 700 "$work"
pids=()
cleanup() {
  kill "${pids[@]}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}
pass() { echo "ok   $*"; }

# A plain background and no panel, so the windows are all that is not background.
background='#204060'
cat >"$work/weston.ini" <<EOF
[core]
idle-time=0
[shell]
background-color=0xff${background#\#}
panel-position=none
locking=false
EOF

start_weston() {  # start_weston NAME BACKEND [OPTION...]
  local name=$1 backend=$2
  shift 2
  weston --config="$work/weston.ini" --backend="$backend" --socket="$name" "$@" \
    >"$work/$name.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    [ -S "$work/$name" ] && return 0
    sleep 0.1
  done
  echo "Weston did not start:" >&2
  cat "$work/$name.log" >&2
  return 1
}

# Starts the calculator on Weston's socket NAME, its protocol log in LOG;
# sets `calc` to its process id.
start_calc() {  # start_calc NAME LOG
  WAYLAND_DISPLAY=$1 QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$app" >"$2" 2>&1 &
  calc=$!
  pids+=("$calc")
}

wait_for() {  # wait_for PATTERN LOG: until the log holds the pattern, at most 10 s
  for _ in $(seq 200); do
    grep -qE "$1" "$2" 2>/dev/null && return 0
    sleep 0.05
  done
  return 1
}

ended_within() {  # ended_within PID MS: whether the process ends within MS milliseconds
  local deadline=$(($(date +%s%N) / 1000000 + $2))
  while kill -0 "$1" 2>/dev/null; do
    [ $(($(date +%s%N) / 1000000)) -lt "$deadline" ] || return 1
    sleep 0.01
  done
  wait "$1" 2>/dev/null || true
}

# --- Start-up on the headless backend ---------------------------------------
start_weston "$socket-headless" headless-backend.so --width=1024 --height=768
log=$work/headless.log
start_calc "$socket-headless" "$log"
if wait_for 'ack_configure' "$log" && wait_for 'wl_surface@[0-9]+\.commit' "$log"; then
  sleep 0.3
  grep -q 'set_app_id("org.example.Corvane")' "$log" || fail "no app id org.example.Corvane"
  grep -q 'set_title("Corvane")' "$log" || fail "no title Corvane"
  min=$(grep -oE 'set_min_size\([0-9]+, [0-9]+\)' "$log" | tail -1 | grep -oE '[0-9]+, [0-9]+')
  max=$(grep -oE 'set_max_size\([0-9]+, [0-9]+\)' "$log" | tail -1 | grep -oE '[0-9]+, [0-9]+')
  [ -n "$min" ] && [ "$min" = "$max" ] || fail "size not fixed: min ($min), max ($max)"
  geometry=$(grep -oE 'set_window_geometry\(0, 0, [0-9]+, [0-9]+\)' "$log" | tail -1 |
    grep -oE '[0-9]+, [0-9]+\)' | tr -d ',)')
  grep -qE 'wl_surface@[0-9]+\.attach\(wl_buffer' "$log" || fail "no picture of the form"
  pass "headless: the form shows as org.example.Corvane, fixed at $min, window $geometry"
else
  fail "headless: the form did not show"
  geometry=""
fi
kill "$calc" 2>/dev/null || true

# --- The X11 backend in Xvfb, driven with xdotool ---------------------------
# Weston's X11 backend moves its pointer by the X pointer's steps, except when
# the X pointer enters its window: then it takes the position as it is. So
# every move leaves the window first (the screen is larger than the output)
# and comes back one pixel short: Qt's Wayland plugin tells the widgets about
# a pointer that has entered only once it moves, as a hand's pointer does.
. scripts/xvfb.sh
if [ -n "${CHECK_X_DISPLAY:-}" ]; then
  Xvfb "$CHECK_X_DISPLAY" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$CHECK_X_DISPLAY
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
else
  start_xvfb 1280x800x24
fi
pids+=("$xvfb_pid")
start_weston "$socket-x11" x11-backend.so --width=1000 --height=700
weston_x11=$!
timeout 10 xdotool search --sync --class 'Weston Compositor' >/dev/null

point() {  # point X Y: the pointer to X,Y of Weston's output
  xdotool mousemove 1100 750
  sleep 0.05
  xdotool mousemove $(($1 - 1)) "$2"
  sleep 0.05
  xdotool mousemove "$1" "$2"
  sleep 0.4
}
shot() { import -window root -crop 1000x700+0+0 +repage "$1"; }

# The windows' outline on the output: left top width height of all that is
# not background, with the pointer parked in the output's last corner.
outline() {
  point 999 699
  shot "$work/outline.png"
  convert "$work/outline.png" -crop 990x690+0+0 +repage -trim -format '%X %Y %w %h\n' info: |
    tr -d '+'
}

# The pixels a picture shows, black or white: "x y #rrggbb" a line.
shown_by() {
  convert "$1" txt:- |
    awk -F'[,: ]+' 'NR > 1 && /#000000FF|#FFFFFFFF/ { print $1, $2, substr($7, 1, 7) }'
}
shown_by res/icons/hand.xpm >"$work/hand32.txt"
shown_by res/icons/hand64.xpm >"$work/hand64.txt"
# Whether the hand is drawn with its hot spot at X,Y on a screen at SCALE:
# every pixel of its picture for that scale is on the screen where it belongs.
hand_at() {  # hand_at X Y [SCALE]
  local scale=${3:-1} size=$((32 * ${3:-1}))
  point "$1" "$2"
  shot "$work/hand.png"
  convert "$work/hand.png" -crop "${size}x$size+$(($1 - 5 * scale))+$2" +repage txt:- |
    awk -F'[,: ]+' 'NR > 1 { print $1, $2, substr($6, 1, 7) }' >"$work/shown.txt"
  [ "$(awk 'NR == FNR { want[$1 " " $2] = $3; next }
           ($1 " " $2) in want && want[$1 " " $2] == $3 { n++ } END { print n + 0 }' \
      "$work/hand$size.txt" "$work/shown.txt")" = "$(wc -l <"$work/hand$size.txt")" ]
}

log=$work/x11.log
start_calc "$socket-x11" "$log"
wait_for 'wl_keyboard@[0-9]+\.enter\(' "$log" || fail "x11: the form did not take the keyboard"
sleep 0.3
read -r left top width height < <(outline)
[ "$width $height" = "$geometry" ] || fail "x11: the form shows ${width}x$height, not $geometry"
pass "x11: the form shows at $left,$top, ${width}x$height"

# The buttons' middles in the window: the template's 17,99 50x14 (计算),
# 83,99 54x14 (关于) and 145,99 50x14 (退出) in dialog units of 1.5 pixels,
# below Qt's title bar of 30 pixels and beside its border of 3.
for button in "计算 66" "关于 168" "退出 258"; do
  set -- $button
  if hand_at $((left + $2)) $((top + 189)); then pass "hand over $1"; else fail "no hand over $1"; fi
done
grep -q 'mmap failed' "$log" && fail "the plugin could not draw a cursor: mmap failed"

# The about box: a child of the form, placed by Weston; its raised frame's
# white top edge, 408 pixels long, finds it. The mail address sits at
# 147,62 118x10 in dialog units.
point $((left + 168)) $((top + 189))
xdotool click 1
wait_for 'set_parent\(xdg_toplevel' "$log" || fail "the about box is not a child of the form"
point 999 699
shot "$work/about.png"
read -r about_left about_top < <(convert "$work/about.png" txt:- |
  awk -F'[,: ]+' 'NR > 1 && /#FFFFFF/ { run = ($2 == y && $1 == x + 1) ? run + 1 : 1;
    if (run == 1) start = $1; y = $2; x = $1; if (run == 400) { print start, y; exit } }') ||
  true
if [ -n "${about_left:-}" ] && hand_at $((about_left + 309)) $((about_top + 100)); then
  pass "hand over the mail address of the about box at $about_left,$about_top"
else
  fail "no hand over the mail address"
fi
if [ -n "${about_left:-}" ]; then
  point $((about_left + 40)) $((about_top + 40))
  xdotool click 1 # a click anywhere on the box closes it
fi

# The title bar: maximize, the window menu and minimize leave the program running.
title() {  # title WHAT X [BUTTON]
  kill -0 "$calc" 2>/dev/null || {
    fail "$1 not tried: the program has ended"
    return 1
  }
  point "$2" $((top + 15))
  xdotool click "${3:-1}"
  sleep 1
  kill -0 "$calc" 2>/dev/null || {
    fail "$1 ended the program: $(grep -m1 -E 'error|fatal' "$log")"
    return 1
  }
}
if title maximize $((left + width - 40)); then
  [ "$(outline)" = "$left $top $width $height" ] && pass "maximize: still running, the form at its size" ||
    fail "maximize: the form is now $(outline)"
fi
title "the window menu" $((left + 100)) 3 && pass "the title bar's menu: still running"
title minimize $((left + width - 63)) && pass "minimize: still running"
kill "$calc" 2>/dev/null || true
wait "$calc" 2>/dev/null || true

# --- Closed with Escape, again and again -----------------------------------
times=()
for run in $(seq "$runs"); do
  log=$work/run-$run.log
  start_calc "$socket-x11" "$log"
  if ! wait_for 'wl_keyboard@[0-9]+\.enter\(' "$log"; then
    fail "run $run: the form did not take the keyboard"
    kill "$calc" 2>/dev/null || true
    continue
  fi
  point 999 699 # keys go to the window under the pointer
  start=$(($(date +%s%N) / 1000000))
  xdotool key Escape
  if ended_within "$calc" 1000; then
    times+=($(($(date +%s%N) / 1000000 - start)))
  else
    fail "run $run: still running a second after Escape"
    kill -9 "$calc"
    wait "$calc" 2>/dev/null || true
  fi
done
if [ "${#times[@]}" -gt 0 ]; then
  sorted=($(printf '%s\n' "${times[@]}" | sort -n))
  echo "     Escape to exit, ${#times[@]} of $runs runs: fastest ${sorted[0]} ms," \
    "median ${sorted[$((${#sorted[@]} / 2))]} ms, slowest ${sorted[-1]} ms"
fi
[ "${#times[@]}" -eq "$runs" ] && pass "$runs runs closed with Escape, each ended within a second"

# --- At a screen scale of two: the hand drawn for it -------------------------
kill "$weston_x11"
wait "$weston_x11" 2>/dev/null || true
start_weston "$socket-x11-2" x11-backend.so --width=500 --height=350 --scale=2
timeout 10 xdotool search --sync --class 'Weston Compositor' >/dev/null
log=$work/scale2.log
start_calc "$socket-x11-2" "$log"
if wait_for 'wl_keyboard@[0-9]+\.enter\(' "$log"; then
  sleep 0.3
  read -r left top width height < <(outline)
  [ "$width $height" = "$(echo "$geometry" | awk '{ print 2 * $1, 2 * $2 }')" ] ||
    fail "scale 2: the form shows ${width}x$height, not twice $geometry"
  if hand_at $((left + 2 * 66)) $((top + 2 * 189)) 2; then
    pass "scale 2: the form ${width}x$height, the 64-pixel hand over 计算"
  else
    fail "scale 2: no 64-pixel hand over 计算"
  fi
else
  fail "scale 2: the form did not take the keyboard"
fi
kill "$calc" 2>/dev/null || true

if [ "$failures" -gt 0 ]; then
  echo "wayland-check: $failures failed"
  exit 1
fi
echo "wayland-check: all passed"
