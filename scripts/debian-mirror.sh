#!/usr/bin/env bash
# Prints the Debian mirror that this machine's apt sources use for SUITE with
# the main component: the first binary ("deb") entry that offers both, looked
# for in etc/apt/sources.list, then sources.list.d/*.list and *.sources (the
# one-line and the deb822 formats). Without one it says so on stderr and
# prints Debian's own redirector, http://deb.debian.org/debian.
# Usage: scripts/debian-mirror.sh [SUITE] [ROOT]   (bookworm; ROOT holds etc/apt, default /)
set -euo pipefail
suite=${1:-bookworm}
apt=${2:-}/etc/apt
shopt -s nullglob
files=()
for f in "$apt/sources.list" "$apt"/sources.list.d/*.list "$apt"/sources.list.d/*.sources; do
  [ -f "$f" ] && files+=("$f")
done

mirror=""
if [ "${#files[@]}" -gt 0 ]; then
  mirror=$(awk -v suite="$suite" '
    function has(list, word,   n, i, w) {
      n = split(list, w, /[ \t]+/)
      for (i = 1; i <= n; i++) if (w[i] == word) return 1
      return 0
    }
    function offer(types, uris, suites, components, enabled,   n, u) {
      if (tolower(enabled) == "no" || !has(types, "deb") || !has(suites, suite) ||
          !has(components, "main")) return
      n = split(uris, u, /[ \t]+/)
      if (u[1] == "" && n > 1) u[1] = u[2]
      if (u[1] != "") { print u[1]; found = 1; exit }
    }
    function paragraph() {
      offer(f["types"], f["uris"], f["suites"], f["components"], f["enabled"])
      delete f
    }
    FNR == 1 && NR > 1 && deb822 { paragraph() }
    FNR == 1 { deb822 = FILENAME ~ /\.sources$/ }
    /^[ \t]*#/ { next }
    !deb822 {
      sub(/#.*/, "")
      if (NF < 4) next
      i = 2
      if ($2 ~ /^\[/) while (i <= NF && $i !~ /\]$/) i++
      if ($2 ~ /^\[/) i++
      components = ""
      for (j = i + 2; j <= NF; j++) components = components " " $j
      offer($1, $i, $(i + 1), components, "yes")
      next
    }
    /^[ \t]*$/ { paragraph(); next }
    /^[ \t]/ { next }                        # continuation of a long value
    {
      key = tolower($0); sub(/:.*/, "", key)
      value = $0; sub(/^[^:]*:[ \t]*/, "", value)
      f[key] = value
    }
    END { if (!found && deb822) paragraph() }
  ' "${files[@]}")
fi
if [ -z "$mirror" ]; then
  echo "debian-mirror: no apt source here offers $suite main; using http://deb.debian.org/debian" >&2
  mirror=http://deb.debian.org/debian
fi
echo "${mirror%/}"
