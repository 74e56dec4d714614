#!/usr/bin/env bash
# The Windows programs as they are shipped (scripts/windows.sh), checked
# under wine on a virtual X display:
#   - the portable zip unpacked into a folder 工程 (a Chinese path), its
#     corvane-calc.exe answering a Chinese station name as Linux's does;
#   - corvane.exe --setout ... --pdf on a GBK file in that folder: the same
#     table rows and characters (pdftotext) as the Linux program's PDF,
#     every face embedded;
#   - the calculator, the 放样表 with its setup dialog and the 线路 window
#     started, at 100%, 125% and 150% (wine's dpi 96, 120, 144): each window
#     found by its title and its picture taken (into OUTPUT_DIR); the
#     calculator's pixels checked: the form's face and the heading's red
#     are there, and at 150% it is half as large again;
#   - what the 放样表 kept of its file, in the registry under the user's key:
#     最近文件 holding the path in 工程 whole, and the file's setup;
#   - the installer run silently for the user: the programs and the Start
#     menu's entries there; the uninstaller: nothing of them left.
# Wine runs without its messages and with its debugger turned off, every run
# under timeout. Usage: scripts/windows-app-check.sh [OUTPUT_DIR]
#   (default build/windows-app/shots; builds the zip if it is missing)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh wine wine64 xvfb xdotool imagemagick poppler-utils unzip
out=${1:-build/windows-app/shots}
version=$(sed -n 's/^  VERSION \([0-9.]*\)$/\1/p' CMakeLists.txt)
name=corvane-$version
ship=build/windows-app/ship
[ -f "$ship/$name-win64.zip" ] && [ -f "$ship/$name-setup.exe" ] || scripts/windows.sh
mkdir -p "$out" build/windows
out=$(cd "$out" && pwd)
export WINEPREFIX=$PWD/build/windows/wine WINEDEBUG=-all WINEDLLOVERRIDES=winedbg.exe=d

. scripts/xvfb.sh
. scripts/wine.sh
running="" xvfb_pid="" work=$(mktemp -d)
cleanup() {
  kill $running $xvfb_pid 2>/dev/null || true
  wine_stop
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}
start_xvfb 1600x1200x24
wine_prepare

# The portable folder, unpacked where a Chinese office keeps its work.
mkdir -p "$work/工程"
unzip -q "$ship/$name-win64.zip" -d "$work/工程"
folder=$work/工程/$name
iconv -f UTF-8 -t GB18030 docs/design.dat >"$work/工程/设计.dat"
sed 's/^A1,/测站1,/' docs/ctl.dat >"$work/工程/控制点.dat"
cp docs/road.csv docs/profile.csv "$work/工程/"
linux=$PWD/build/default
calc=(setout --control 控制点.dat --station-point 测站1 --backsight-point A2
      --columns name,code,y,x,h --decimals 3 -i 设计.dat)
(cd "$work/工程" && "$linux/cli/corvane-calc" "${calc[@]}" >calc.linux 2>&1) || true
(cd "$work/工程" && timeout 300 wine "$folder/corvane-calc.exe" "${calc[@]}" >calc.windows 2>&1) ||
  true
cmp -s "$work/工程/calc.linux" "$work/工程/calc.windows" ||
  fail "the zip's corvane-calc.exe: $(diff "$work/工程/calc.linux" "$work/工程/calc.windows" | head -4)"

# The 放样表's PDF, written by each program from the same GBK file.
sheet=(--setout 设计.dat --columns name,code,y,x,h --control 控制点.dat
       --station-point 测站1 --backsight-point A2 --decimals 3 --azimuth-decimals 4)
(cd "$work/工程" && env -u DISPLAY "$linux/app/corvane" "${sheet[@]}" --pdf linux.pdf) || true
(cd "$work/工程" && timeout 300 wine "$folder/corvane.exe" "${sheet[@]}" --pdf windows.pdf) || true
if [ ! -s "$work/工程/windows.pdf" ]; then
  fail "corvane.exe --setout --pdf wrote no PDF"
else
  # Wine's faces are not Linux's: the glyphs' widths move the sketch's
  # labels and split a heading's runs, so the text is compared as what
  # matters on paper: every row of the table in order, and every character
  # of the pages as often as on Linux.
  rows() { pdftotext -layout "$1" - | grep -E '^ *[0-9]+ ' | tr -d ' '; }
  characters() { pdftotext "$1" - | tr -d ' \f\n' | LC_ALL=C.UTF-8 grep -o . | LC_ALL=C sort | uniq -c; }
  for text in rows characters; do
    "$text" "$work/工程/linux.pdf" >"$work/linux.txt"
    "$text" "$work/工程/windows.pdf" >"$work/windows.txt"
    [ -s "$work/linux.txt" ] && cmp -s "$work/linux.txt" "$work/windows.txt" ||
      fail "the PDF's $text are not Linux's: $(diff "$work/linux.txt" "$work/windows.txt" | head -6)"
  done
  pdffonts "$work/工程/windows.pdf" | awk 'NR > 2 && $(NF-4) != "yes" { bad = 1 } END { exit bad }' ||
    fail "a face of the Windows PDF is not embedded: $(pdffonts "$work/工程/windows.pdf")"
fi

# The id of the first window whose title matches $1, once it is there.
find_window() {
  local window=""
  for _ in $(seq 300); do
    window=$(xdotool search --name "$1" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || return 1
  echo "$window"
}
# shot TITLE PICTURE COMMAND...: starts the program, takes its window's picture.
shot() {
  local title=$1 picture=$2 window
  shift 2
  (cd "$work/工程" && timeout 120 wine "$@") &
  running=$!
  if ! window=$(find_window "$title"); then
    fail "no window $title opened"
    end_program
    return
  fi
  sleep 2  # the first paint under wine
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$picture"
  echo "$WIDTH $HEIGHT" >"$picture.size"
  end_program
}
# Ends the program started and everything wine runs for it.
end_program() {
  kill "$running" 2>/dev/null || true
  wine_restart
}
# The 放样表's setup dialog (设站 › 自由设站...), as a crew opens it.
setup_shot() {
  local window dialog
  (cd "$work/工程" && timeout 120 wine "$folder/corvane.exe" "${sheet[@]}") &
  running=$!
  if window=$(find_window '^放样表'); then
    sleep 2
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --delay 150 alt+m Down Down
    sleep 0.5
    xdotool key alt+o
    if dialog=$(find_window '^自由设站$'); then
      sleep 1.5
      eval "$(xdotool getwindowgeometry --shell "$dialog")"
      import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
    else
      fail "the setup dialog did not open"
    fi
  else
    fail "no window 放样表 opened"
  fi
  end_program
}
# The form's pixels: its gray face over most of it, the heading's red.
check_form() {
  local picture=$1 colours
  colours=$(convert "$picture" -format %c histogram:info:-)
  echo "$colours" | grep -qi '#C0C0C0\|#D4D0C8\|#F0F0F0' || fail "$picture: no face colour of the form"
  echo "$colours" | grep -Eqi '#(FF0000|E[0-9A-F]0000|C00000)' || fail "$picture: no red heading"
}
for dpi in 96 120 144; do
  timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f \
    >/dev/null 2>&1
  wine_restart
  scale=$((dpi * 100 / 96))
  shot '^Corvane$' "$out/calculator-$scale.png" "$folder/corvane.exe"
  [ -f "$out/calculator-$scale.png" ] && check_form "$out/calculator-$scale.png"
  shot '^放样表' "$out/setout-$scale.png" "$folder/corvane.exe" "${sheet[@]}"
  shot '^线路' "$out/road-$scale.png" "$folder/corvane.exe" --alignment road.csv \
    --profile profile.csv --every 20 --offsets -10,10
  setup_shot "$out/setup-$scale.png"
done
if [ -f "$out/calculator-100.png.size" ] && [ -f "$out/calculator-150.png.size" ]; then
  read -r w100 h100 <"$out/calculator-100.png.size"
  read -r w150 h150 <"$out/calculator-150.png.size"
  [ $((w150 * 100 / w100)) -ge 140 ] && [ $((h150 * 100 / h100)) -ge 140 ] ||
    fail "at 150% the calculator is ${w150}x${h150}, at 100% ${w100}x${h100}"
fi
rm -f "$out"/*.size
timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f \
  >/dev/null 2>&1

# What the 放样表 kept of the file it showed, where Windows keeps settings:
# the registry, under the user's key, the Chinese path whole (Qt writes the
# list as REG_MULTI_SZ, which reg export gives as UTF-16 in hex).
reg_file=$work/setout.reg
timeout 60 wine reg export 'HKCU\Software\Corvane\setout' "$(winepath -w "$reg_file")" /y \
  >/dev/null 2>&1 || true
registry=$(iconv -f UTF-16 -t UTF-8 "$reg_file" 2>/dev/null | tr -d '\r' || true)
recent=$(perl -0777 -ne 's/\\\n\s*//g;
    print pack("H*", join("", split /,/, $1)) if /^"recentFiles"=hex\(7\):([0-9a-f,]*)/m' <<<"$registry" |
  iconv -f UTF-16LE -t UTF-8 | tr '\0' '\n' || true)
echo "windows-app-check: 最近文件 in the registry: ${recent:-(none)}"
grep -q '/工程/设计\.dat$' <<<"$recent" ||
  fail "the 放样表 kept no setup of 工程/设计.dat under HKCU\\Software\\Corvane\\setout"
grep -q '^\[HKEY_CURRENT_USER\\Software\\Corvane\\setout\\file-[0-9a-f]\{16\}\]$' <<<"$registry" ||
  fail "the registry holds no file's kept setup: $(head -20 <<<"$registry")"

# The installer, for the user alone, and its uninstaller.
timeout 300 wine "$ship/$name-setup.exe" /S /CurrentUser || fail "the installer failed"
installed=$(find "$WINEPREFIX/drive_c/users" -path '*/Programs/Corvane/corvane.exe' | head -1)
menu=$(find "$WINEPREFIX/drive_c/users" -path '*/Start Menu/Programs/Corvane' -type d | head -1)
if [ -z "$installed" ]; then
  fail "the installer put no corvane.exe under the user's Programs"
else
  [ -n "$menu" ] && [ -f "$menu/坐标计算.lnk" ] && [ -f "$menu/放样表.lnk" ] ||
    fail "the Start menu's entries are missing: $(ls "$menu" 2>&1)"
  # The uninstaller runs from a copy of itself and returns at once: wait for
  # the folder to go.
  timeout 300 wine "$(dirname "$installed")/uninstall.exe" /S /CurrentUser ||
    fail "the uninstaller failed"
  for _ in $(seq 600); do [ -e "$(dirname "$installed")" ] || break; sleep 0.1; done
  [ ! -e "$(dirname "$installed")" ] || fail "the uninstaller left $(ls "$(dirname "$installed")")"
  [ -z "$menu" ] || [ ! -e "$menu" ] || fail "the uninstaller left the Start menu's folder"
fi

echo "windows-app-check: zip $(stat -c %s "$ship/$name-win64.zip") bytes," \
  "installer $(stat -c %s "$ship/$name-setup.exe") bytes; pictures in $out"
[ "$failures" -eq 0 ] || { echo "windows-app-check: $failures failed"; exit 1; }
echo "windows-app-check: all passed"
