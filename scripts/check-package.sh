#!/usr/bin/env bash
# CI: the Linux packaging. Builds the .deb and checks it as Debian and the
# desktops see it: lintian (no error, no warning), the desktop entry and the
# AppStream metadata validated as the package lays them out, an icon at each
# size the icon theme looks up. Then installs it on this machine with apt-get
# and runs both installed programs; the calculator's window must carry the
# window class that its desktop entry names.
# Usage: scripts/check-package.sh [DEB]   (DEB: a package already built, such
#   as the one scripts/fresh-machine.sh leaves in build/fresh-package/;
#   without it the package is built here)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh lintian
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
scratch=$(mktemp -d)
calc="" xvfb_pid=""
trap 'kill $calc $xvfb_pid 2>/dev/null || true; rm -rf "$scratch"' EXIT

fail() {
  echo "check-package: $*" >&2
  exit 1
}

if [ "$#" -gt 0 ]; then
  deb=$(realpath -m "$1")
  [ -f "$deb" ] || fail "no package $deb"
else
  scripts/package.sh
  deb=$(realpath build/package/corvane_*.deb)
fi
echo "check-package: $deb, $(stat -c %s "$deb") bytes"
dpkg-deb -I "$deb" | grep -E '^ (Package|Version|Installed-Size|Depends|Recommends):'

# Debian's own checks, every tag shown; an error or a warning fails.
lintian --fail-on error,warning -EvIL +pedantic "$deb" ||
  fail "lintian reports errors or warnings (E: or W: above)"

# What the package holds, checked where it lands.
pkg=$scratch/pkg
dpkg-deb -x "$deb" "$pkg"
entry=$(echo "$pkg"/usr/share/applications/*.desktop)
desktop-file-validate "$entry"
appstreamcli validate --pedantic --no-net "$pkg"/usr/share/metainfo/*.metainfo.xml
id=$(basename "$entry" .desktop)
for size in 16 24 32 48 64 128 256; do
  icon=$pkg/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
  file -b "$icon" | grep -q "^PNG image data, $size x $size," ||
    fail "no ${size}x${size} PNG icon: $(file -b "$icon")"
done

# The package, installed as a user would (--reinstall: a rebuilt package of
# the same version must replace the one already there).
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --reinstall "$deb"

# corvane-calc as installed: one row, and a station list with names and an error.
[ "$(/usr/bin/corvane-calc forward 1000 2000 45.3025 100)" = "1070.082282 2071.333539" ] ||
  fail "corvane-calc forward gave the wrong answer"
status=0
answer=$(printf 'S1 45.3025 100\nS2 45.6 10\n' |
  /usr/bin/corvane-calc forward --from 1000,2000 2>/dev/null) || status=$?
[ "$status" -eq 1 ] || fail "corvane-calc exit status $status for a failed row, not 1"
[ "$answer" = $'S1 1070.082282 2071.333539\nERROR: S2: AZIMUTH has minutes of 60 or more: "45.6"' ] ||
  fail "corvane-calc station list gave: $answer"

# corvane as installed, offscreen, until its window's first paint: the
# debugger stops the unmodified program when Qt has painted the window into
# its backing store for the first time, shows where, and ends it.
mkdir -m 700 "$scratch/runtime"
paint=$(QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch/runtime" timeout 60 \
  gdb -q -batch -nx -ex 'set debuginfod enabled off' \
  -ex 'set breakpoint pending on' -ex 'break QBackingStore::endPaint' \
  -ex run -ex 'bt 3' -ex kill /usr/bin/corvane 2>&1) || true
grep -q 'QWidgetRepaintManager::paintAndFlush' <<<"$paint" ||
  fail "corvane did not paint its window: $paint"

# corvane as installed on an X display: a dock matches its window to the
# launcher by the window class, which must be the entry's StartupWMClass.
. scripts/xvfb.sh
start_xvfb
XDG_RUNTIME_DIR="$scratch/runtime" /usr/bin/corvane 2>/dev/null &
calc=$!
window=""
for _ in $(seq 100); do  # the top-level window is the one with a class
  window=$(xwininfo -root -tree | awk '/"Corvane": \("/ { print $1; exit }')
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "corvane opened no window on $DISPLAY"
wm_class=$(xprop -id "$window" WM_CLASS)
echo "check-package: $wm_class"
wanted=$(sed -n 's/^StartupWMClass=//p' "/usr/share/applications/$id.desktop")
[ -n "$wanted" ] || fail "$id.desktop names no StartupWMClass"
[[ "$wm_class" == *", \"$wanted\"" ]] ||
  fail "the window's class is not the desktop entry's StartupWMClass \"$wanted\""
echo "check-package: lintian clean; corvane painted its window, of class $wanted; corvane-calc answered; package ok"
