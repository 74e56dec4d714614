#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/packages.txt that are missing,
# and any packages named as arguments. Runs apt-get only when something is
# missing: as root directly, otherwise through sudo. A user who is not root on
# a machine without sudo is told what to run instead.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t wanted < <(grep -v -E '^\s*(#|$)' "$here/packages.txt")
[ "$#" -gt 0 ] && wanted+=("$@")
missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# The tests read numbers under a German locale (decimal comma) to prove the
# program never follows it; make sure that locale exists.
need_locale=0
locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' || need_locale=1
[ "${#missing[@]}" -gt 0 ] || [ "$need_locale" -eq 1 ] || exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    {
      echo "deps.sh: installing this takes root, and sudo is not installed:"
      [ "${#missing[@]}" -eq 0 ] || echo "  packages: ${missing[*]}"
      [ "$need_locale" -eq 0 ] || echo "  the de_DE.UTF-8 locale"
      echo "Install it as root (su asks for the root password), then run your command again:"
      command=$(printf '%q ' "$here/deps.sh" "$@")
      echo "  su -c '${command% }'"
      echo "Or install sudo once, and deps.sh uses it from then on:"
      echo "  su -c 'apt-get install sudo && adduser $(id -un) sudo'   (then log in again)"
    } >&2
    exit 1
  fi
  as_root=(sudo)
fi
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -q
  "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
if [ "$need_locale" -eq 1 ]; then
  "${as_root[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
