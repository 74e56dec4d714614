#!/usr/bin/env bash
# scripts/debian-mirror.sh over apt sources written the ways Debian machines
# have them: each case is a set of files under a root and the mirror wanted.
set -euo pipefail
mirror_of=$(cd "$(dirname "$0")/../../scripts" && pwd)/debian-mirror.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# case NAME WANTED FILE CONTENT [FILE CONTENT]...
case_() {
  local name=$1 want=$2 root=$scratch/$1
  shift 2
  mkdir -p "$root/etc/apt/sources.list.d"
  while [ "$#" -gt 0 ]; do printf '%s\n' "$2" >"$root/etc/apt/$1"; shift 2; done
  local got
  got=$("$mirror_of" bookworm "$root" 2>"$root.err") || got="exit $?"
  if [ "$got" = "$want" ]; then
    echo "ok   $name"
  else
    echo "FAIL $name: got '$got', want '$want' ($(cat "$root.err"))"
    failures=$((failures + 1))
  fi
}

case_ deb822-installer http://deb.debian.org/debian \
  sources.list.d/debian.sources "Types: deb deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main

Types: deb
# a snapshot of the archive
URIs: http://deb.debian.org/debian/
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"

case_ deb822-disabled-and-source-only http://ftp.de.debian.org/debian \
  sources.list.d/a.sources "Types: deb
URIs: http://disabled.example/debian
Suites: bookworm
Components: main
Enabled: no

Types: deb-src
URIs: http://source.example/debian
Suites: bookworm
Components: main" \
  sources.list.d/b.sources "types: deb
uris: http://ftp.de.debian.org/debian
suites: bookworm
components: main"

case_ deb822-embedded-key http://mirror.example/debian \
  sources.list.d/m.sources "Types: deb
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 Suites: not-a-key
 -----END PGP PUBLIC KEY BLOCK-----
URIs: http://mirror.example/debian
Suites: bookworm
Components: main"

case_ one-line-with-options https://mirror.example/debian \
  sources.list "# deb http://commented.example/debian bookworm main
deb-src http://source.example/debian bookworm main
deb http://contrib.example/debian bookworm contrib
deb [arch=amd64 signed-by=/usr/share/keyrings/debian.gpg] https://mirror.example/debian bookworm main # primary"

case_ one-line-spaced-options http://spaced.example/debian \
  sources.list "deb [ arch=amd64 ] http://spaced.example/debian bookworm main"

case_ list-before-sources http://list.example/debian \
  sources.list.d/z.list "deb http://list.example/debian bookworm main" \
  sources.list.d/a.sources "Types: deb
URIs: http://sources.example/debian
Suites: bookworm
Components: main"

case_ other-release-only http://deb.debian.org/debian \
  sources.list "deb http://deb.example/debian trixie main
deb http://deb.example/debian bookworm-backports main"

case_ no-sources http://deb.debian.org/debian

[ "$failures" -eq 0 ] || { echo "$failures case(s) failed"; exit 1; }
