# Sourced by the scripts that need an X display of their own:
#   . scripts/xvfb.sh
#   start_xvfb 640x400x24      # the screen's size and depth
#   ...                        # DISPLAY names the new server
#   kill "$xvfb_pid"
# Xvfb itself picks a display number that no other X server holds and tells
# it once it accepts connections (-displayfd), so runs side by side never
# meet on one display and nothing needs to wait and poll. -noreset: the
# server does not reset when its last client leaves, which would drop a
# program that connects at that moment (a short-lived xdotool, say).
start_xvfb() {
  local fifo log number=""
  fifo=$(mktemp -u "${TMPDIR:-/tmp}/xvfb-display.XXXXXX")
  log=$(mktemp "${TMPDIR:-/tmp}/xvfb-log.XXXXXX")
  mkfifo -m 600 "$fifo"
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp -noreset 3>"$fifo" 2>"$log" &
  xvfb_pid=$!
  read -r -t 30 number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$number" ]; then
    echo "Xvfb did not start:" >&2
    cat "$log" >&2
    rm -f "$log"
    kill "$xvfb_pid" 2>/dev/null || true
    return 1
  fi
  rm -f "$log"
  export DISPLAY=":$number"
}
