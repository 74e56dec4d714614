#!/usr/bin/env bash
# corvane-calc for 64-bit Windows, built here with Debian's mingw-w64 (the
# windows preset, ccache) and checked under wine against the Linux build:
#   - the core, reader and cli test suites under wine (ctest);
#   - the converter's answer for every character of every encoding the
#     reader reads, byte for byte the same as glibc's iconv's;
#   - the worked cases of every mode, a GBK file in a folder 工程 and a
#     Chinese station name among the arguments: the same standard output,
#     standard error and exit status as the Linux build's, and the same
#     text written to a console;
#   - ROWS generated rows (100000) of forward, inverse, setout, stake and
#     locate: the count of rows whose text differs, which must be 0.
# Wine runs without its messages and with its debugger turned off, every
# run under timeout. Usage: scripts/windows-check.sh   (needs the Linux
# build, build/default, as scripts/test.sh leaves it; builds it if missing)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh g++-mingw-w64-x86-64-posix wine wine64 ccache
rows=${ROWS:-100000}
prefix=$(scripts/windows-libs.sh)
[ -f build/default/build.ninja ] || cmake --preset default >/dev/null
cmake --build --preset default --target corvane-calc converter_table >/dev/null

mkdir -p build/windows
export WINEPREFIX=$PWD/build/windows/wine WINEDEBUG=-all WINEDLLOVERRIDES=winedbg.exe=d
. scripts/wine.sh
work=$(mktemp -d)
cleanup() {
  wine_stop
  rm -rf "$work"
}
trap cleanup EXIT
wine_prepare

cmake --preset windows -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
  -DCORVANE_WINDOWS_PREFIX="$prefix" >/dev/null
cmake --build --preset windows
timeout 1800 ctest --preset windows -j"$(nproc)"

linux=$PWD/build/default/cli/corvane-calc
exe=$PWD/build/windows/cli/corvane-calc.exe
windows=(timeout 300 wine "$exe")
failures=0
fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}

# The converter: every character of each encoding.
for encoding in gb18030 big5 latin1 windows-1252 shift_jis; do
  build/default/tests/reader/converter_table "$encoding" >"$work/table.linux"
  timeout 300 wine build/windows/tests/reader/converter_table.exe "$encoding" >"$work/table.windows"
  cmp -s "$work/table.linux" "$work/table.windows" ||
    fail "converter: $encoding differs from iconv ($(diff "$work/table.linux" "$work/table.windows" | grep -c '^<') characters)"
done
# Writing GB18030 (the CASS files the windows export): every code point.
build/default/tests/reader/converter_table --encode gb18030 >"$work/encoded.linux"
timeout 600 wine build/windows/tests/reader/converter_table.exe --encode gb18030 >"$work/encoded.windows"
cmp -s "$work/encoded.linux" "$work/encoded.windows" ||
  fail "writing gb18030 differs from iconv ($(diff "$work/encoded.linux" "$work/encoded.windows" | grep -c '^<') code points)"

# The worked cases, run in a copy of docs/ with a folder 工程 holding the
# design points in GBK and a control file whose station is 测站1.
cp docs/*.dat docs/*.csv docs/*.txt "$work/"
mkdir "$work/工程"
iconv -f UTF-8 -t GB18030 docs/design.dat >"$work/工程/设计.dat"
sed 's/^A1,/测站1,/' docs/ctl.dat >"$work/工程/控制点.dat"
station=(--station 3350000,500000 --backsight 3350100,500100)
cases=(
  "forward 1000 2000 45.302512 100"
  "inverse --decimals 3 1000 2000 1070.082 2071.334"
  "setout ${station[*]} --columns name,code,y,x,h -i design.dat"
  "setout ${station[*]} --columns name,code,y,x,h -i 工程/设计.dat"
  "setout --control 工程/控制点.dat --station-point 测站1 --backsight-point A2 --columns name,code,y,x,h -i 工程/设计.dat --header"
  "setout --control 工程/控制点.dat --station-point 测站2 --backsight-point A2 --columns name,code,y,x,h -i 工程/设计.dat"
  "setout ${station[*]} -i 工程/无.dat"
  "alignment --alignment road.csv --header --decimals 3 --azimuth-decimals 4"
  "stake --alignment road.csv --profile profile.csv --decimals 3 K0+106.340288"
  "stake --alignment road.csv --profile profile.csv --every 20 --offsets -10,10 --header"
  "locate --alignment road.csv --profile profile.csv --decimals 3 608.982 281.073"
  "intersect --control known.dat --decimals 3 P1 GPS2 GPS4 42.16355 31.22097"
  "intersect --control known.dat --decimals 3 --by-distance P2 GPS9 GPS1 382.655 227.989"
  "freestation --control known.dat --distance-sigma 5,2 --decimals 4 --name S1 --header -i free.txt"
  "orient --control known.dat --station-point H --decimals 1 --azimuth-decimals 4 A 35.1416 C 39.2355"
  "traverse --control control.dat --start B --start-azimuth 237.5930 --end C --end-azimuth 46.4524 -i traverse.txt"
  "traverse --control control.dat --start B --start-azimuth 237.5930 --end C --end-azimuth 46.4524 --rigorous -i traverse.txt"
  "level --control benchmarks.dat --start BMA --end BMB --by-stations -i level.txt"
  "project --zone 38 --decimals 4 P1 30.3 114.2"
  "project --zone 38 --inverse --degrees P1 3375588.9766 38531999.7306"
  "fourparam --header -i transform-common.csv"
  "grid --origin 2824713.180,352382.268 --axis-point 2824602.670,352538.910 --decimals 3 P 14.771 -8.691"
  "forward --bogus"
)
for line in "${cases[@]}"; do
  read -r -a arguments <<<"$line"
  status_linux=0
  status_windows=0
  (cd "$work" && "$linux" "${arguments[@]}" >out.linux 2>err.linux) || status_linux=$?
  (cd "$work" && "${windows[@]}" "${arguments[@]}" >out.windows 2>err.windows) ||
    status_windows=$?
  if ! cmp -s "$work/out.linux" "$work/out.windows" || ! cmp -s "$work/err.linux" "$work/err.windows" ||
     [ "$status_linux" != "$status_windows" ]; then
    fail "corvane-calc $line: not as on Linux (exit $status_linux / $status_windows)"
    diff "$work/out.linux" "$work/out.windows" | head -5
    diff "$work/err.linux" "$work/err.windows" | head -5
  fi
done

# A console: the answers written as UTF-16 show the same text (wine gives a
# program on a terminal its console; its cursor codes and "\r" set aside).
(cd "$work" && "$linux" setout "${station[@]}" --columns name,code,y,x,h -i 工程/设计.dat \
  >console.linux 2>&1) || true
(cd "$work" && LANG=C.UTF-8 timeout 300 script -qec \
  "wine '$exe' setout ${station[*]} --columns name,code,y,x,h -i 工程/设计.dat" \
  /dev/null </dev/null | sed 's/\x1b\[[?0-9;]*[a-zA-Z]//g' | tr -d '\r' >console.windows) || true
cmp -s "$work/console.linux" "$work/console.windows" ||
  fail "the console does not show what Linux writes: $(diff "$work/console.linux" "$work/console.windows" | head -4)"

# The same numbers: generated rows of each mode, counted where the text differs.
for mode in forward inverse setout; do
  gawk -v mode="$mode" -v rows="$rows" -f bench/cli/generate.awk >"$work/$mode.txt"
done
gawk -v seed=50 'BEGIN {
  srand(seed); x = 3000000; y = 500000; heading = 0.7
  print "BP," x "," y
  for (i = 0; i <= 50; i++) {
    x += 1000 * cos(heading); y += 1000 * sin(heading)
    if (i < 50) printf "JD%d,%.3f,%.3f,%.0f,%.0f\n", i + 1, x, y, 500 + 400 * rand(), 60 + 90 * rand()
    else printf "EP,%.3f,%.3f\n", x, y
    heading += (i % 2 ? 1 : -1) * (20 + 20 * rand()) * 3.141592653589793 / 180
  }
}' >"$work/road50.csv"
gawk -v rows="$rows" 'BEGIN {
  srand(26); for (i = 0; i < rows; i++) printf "%.3f %.3f\n", rand() * 45000, (rand() - 0.5) * 40
}' >"$work/stake.txt"
(cd "$work" && "$linux" stake --alignment road50.csv --decimals 3 <stake.txt | cut -d' ' -f1,2 >locate.txt)
differing=0
for mode in forward inverse setout stake locate; do
  arguments=("$mode")
  [ "$mode" = setout ] && arguments+=("${station[@]}" --columns name,code,y,x,h)
  [ "$mode" = stake ] || [ "$mode" = locate ] && arguments+=(--alignment road50.csv)
  (cd "$work" && "$linux" "${arguments[@]}" <"$mode.txt" >rows.linux 2>&1) || true
  (cd "$work" && "${windows[@]}" "${arguments[@]}" <"$mode.txt" >rows.windows 2>&1) || true
  lines=$(wc -l <"$work/rows.linux")
  differ=$(diff "$work/rows.linux" "$work/rows.windows" | grep -c '^<' || true)
  [ "$lines" -ge "$rows" ] || fail "$mode: only $lines answers of $rows rows"
  echo "windows-check: $mode: $differ of $lines rows differ from Linux"
  differing=$((differing + differ))
done
[ "$differing" -eq 0 ] || fail "$differing rows differ between Windows and Linux"

echo "windows-check: corvane-calc.exe $(stat -c %s build/windows/cli/corvane-calc.exe) bytes," \
  "needs $(x86_64-w64-mingw32-objdump -p build/windows/cli/corvane-calc.exe | awk '/DLL Name/ { printf "%s ", $3 }')"
[ "$failures" -eq 0 ] || { echo "windows-check: $failures failed"; exit 1; }
echo "windows-check: all passed"
