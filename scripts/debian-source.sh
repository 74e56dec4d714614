#!/usr/bin/env bash
# Unpacks Debian's source of PACKAGE=VERSION into DIR and prints the source
# folder, through a private deb-src list for the machine's own Debian mirror
# (scripts/debian-mirror.sh), kept in DIR apart from the system's apt lists:
# nothing is downloaded from elsewhere, and the system's apt is left as it is.
# Usage: scripts/debian-source.sh PACKAGE=VERSION DIR
set -euo pipefail
cd "$(dirname "$0")/.."
wanted=$1 work=$2
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
  "$(scripts/debian-mirror.sh bookworm) bookworm main" >"$work/apt/sources.list"
apt=(apt-get -q -o "Dir::Etc::SourceList=$work/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
     -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt/cache")
"${apt[@]}" update >&2
(cd "$work" && "${apt[@]}" source "$wanted" >&2)
find "$work" -maxdepth 1 -type d -name "${wanted%%=*}-*" | head -1
