#!/usr/bin/env bash
# The program's Gauss-Krüger projection, run through the tool
# (corvane-calc project --degrees; project_points times it) against GeographicLib's
# TransverseMercatorProj (its exact projection, geographiclib-tools) and
# PROJ's cs2cs (EPSG:4490 to EPSG:4547, CGCS2000 3° zone 38, proj-bin) on
# random points over the zone: latitudes 18° to 54°, longitudes 112.5° to
# 115.5°. Prints the largest difference of each, forward (x, y, convergence,
# scale) and inverse (latitude and longitude, as metres on the ground), and
# the cost of a point against GeographicLib's TransverseMercatorExact.
# Fails where a coordinate differs by 0.1 mm or more.
# Usage: bench/transform/compare.sh [POINTS] [BUILD_DIR]   (10000, build/default)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
points=${1:-10000}
build=${2:-$root/build/default}
cd "$root"
scripts/deps.sh geographiclib-tools proj-bin
if [ ! -f "$build/build.ninja" ]; then
  cmake --preset default >/dev/null
fi
cmake --build "$build" --target project_points corvane-calc >/dev/null
ours=$build/bench/transform/project_points
calc=$build/cli/corvane-calc
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

awk -v n="$points" 'BEGIN { srand(38); for (i = 0; i < n; i++)
  printf "%.12f %.12f\n", 18 + 36 * rand(), 112.5 + 3 * rand() }' >"$scratch/geographic"
# The tool writes the convergence packed: back to degrees, sign and all.
"$calc" project --zone 38 --degrees --decimals 10 --azimuth-decimals 12 <"$scratch/geographic" |
  awk '{ c = $3 < 0 ? -$3 : $3; d = int(c); m = int((c - d) * 100 + 1e-9)
         s = ((c - d) * 100 - m) * 100; v = d + m / 60 + s / 3600
         printf "%s %s %.17g %s\n", $1, $2, $3 < 0 ? -v : v, $4 }' >"$scratch/ours"
TransverseMercatorProj -l 114 -k 1 -e 6378137 1/298.257222101 -p 10 \
  <"$scratch/geographic" >"$scratch/geographiclib"
cs2cs -f %.10f EPSG:4490 EPSG:4547 <"$scratch/geographic" >"$scratch/proj"
# GeographicLib's x, y back through the program's inverse.
awk '{ printf "%.10f %.10f\n", $2, $1 + 500000 }' "$scratch/geographiclib" |
  "$calc" project --zone 38 --inverse --degrees --decimals 10 >"$scratch/inverse"

echo "load: $(cut -d' ' -f1-3 /proc/loadavg); $points points, CGCS2000, 3° zone 38"
# Largest differences; GeographicLib writes easting (no false easting),
# northing, convergence and scale; cs2cs northing and easting.
paste -d' ' "$scratch/ours" "$scratch/geographiclib" "$scratch/proj" "$scratch/geographic" \
  "$scratch/inverse" | awk '
  function abs(v) { return v < 0 ? -v : v }
  function most(name, v) { if (v > big[name]) big[name] = v }
  {
    most("xg", abs($1 - $6)); most("yg", abs($2 - ($5 + 500000)))
    most("cg", abs($3 - $7) * 3600); most("kg", abs($4 - $8))
    most("xp", abs($1 - $9)); most("yp", abs($2 - $10))
    most("ib", abs($14 - $12) * 111200)
    most("il", abs($15 - $13) * 111300 * cos($12 * 3.141592653589793 / 180))
  }
  END {
    printf "forward against TransverseMercatorProj (exact): x %.3g m, y %.3g m, convergence %.3g\", scale %.3g\n",
      big["xg"], big["yg"], big["cg"], big["kg"]
    printf "forward against cs2cs:                          x %.3g m, y %.3g m\n", big["xp"], big["yp"]
    printf "inverse of TransverseMercatorProj'"'"'s x, y:          latitude %.3g m, longitude %.3g m\n",
      big["ib"], big["il"]
    worst = 0
    for (k in big) if (k != "cg" && k != "kg" && big[k] > worst) worst = big[k]
    if (worst >= 1e-4) { printf "compare: %.3g m, 0.1 mm or more\n", worst; exit 1 }
  }'
"$ours" 38 --time <"$scratch/geographic"
