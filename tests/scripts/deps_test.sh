#!/usr/bin/env bash
# scripts/deps.sh as different users see it, against stand-ins for the
# system's tools: nothing is installed, the stand-ins record what would run.
# Each case: who runs it, whether sudo exists, what is missing; then the exit
# status and what ran or what the user was told.
set -euo pipefail
deps=$(cd "$(dirname "$0")/../../scripts" && pwd)/deps.sh
bash=$(command -v bash)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# A PATH of stand-ins and the few real tools deps.sh uses, so that the real
# sudo, apt-get and dpkg-query of this machine are out of reach.
bin=$scratch/bin
mkdir "$bin"
for tool in dirname grep cat; do ln -s "$(command -v "$tool")" "$bin/$tool"; done
stub() { printf '#!%s\n%s\n' "$bash" "$2" >"$bin/$1"; chmod +x "$bin/$1"; }
stub id 'if [ "${1:-}" = -un ]; then echo surveyor; else echo "$FAKE_UID"; fi'
stub dpkg-query 'for p in $FAKE_MISSING; do [ "$p" = "${@: -1}" ] && exit 1; done
printf "install ok installed"'
stub locale '[ -n "${FAKE_NO_LOCALE:-}" ] || echo de_DE.utf8'
stub apt-get 'echo "apt-get $*" >>"$LOG"'
stub localedef 'echo "localedef $*" >>"$LOG"'
stub sudo 'echo "sudo" >>"$LOG"; exec "$@"'

failures=0
# check NAME UID SUDO MISSING NO_LOCALE EXPECTED_STATUS EXPECTED_OUTPUT_PATTERN EXPECTED_LOG_PATTERN
check() {
  local name=$1 uid=$2 sudo=$3 missing=$4 no_locale=$5 want_status=$6 want_out=$7 want_log=$8
  local log=$scratch/$name.log out status=0
  : >"$log"
  [ "$sudo" = yes ] || mv "$bin/sudo" "$bin/sudo.off"
  out=$(env -i PATH="$bin" LOG="$log" FAKE_UID="$uid" FAKE_MISSING="$missing" \
    FAKE_NO_LOCALE="$no_locale" "$bash" "$deps" xdotool 2>&1) || status=$?
  [ "$sudo" = yes ] || mv "$bin/sudo.off" "$bin/sudo"
  local ran
  ran=$(tr '\n' ' ' <"$log")
  if [ "$status" != "$want_status" ] || ! grep -qE -- "$want_out" <<<"$out" ||
    ! grep -qE -- "$want_log" <<<"$ran"; then
    echo "FAIL $name: status $status (want $want_status)"
    echo "  output: $out"
    echo "  ran: $ran"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

#     name                    uid  sudo missing        no-locale status output                              what ran
check root-installs           0    no   "cmake"        ""        0      "Installing: cmake"                  "^apt-get update -q apt-get install .* cmake $"
check user-through-sudo       1000 yes  "xdotool"      ""        0      "Installing: xdotool"                "^sudo apt-get update -q sudo apt-get install .* xdotool $"
check user-no-sudo-packages   1000 no   "cmake xdotool" ""       1      "su -c '.*/deps.sh xdotool'"         "^$"
check user-no-sudo-says-what  1000 no   "cmake xdotool" ""       1      "packages: cmake xdotool"            "^$"
check user-no-sudo-offers-sudo 1000 no  "cmake"        ""        1      "apt-get install sudo && adduser surveyor sudo" "^$"
check user-no-sudo-locale     1000 no   ""             yes       1      "the de_DE.UTF-8 locale"             "^$"
check user-no-sudo-nothing-to-do 1000 no ""            ""        0      "^$"                                 "^$"
check root-makes-locale       0    no   ""             yes       0      "^$"                                 "^localedef -i de_DE -f UTF-8 de_DE.UTF-8 $"

[ "$failures" -eq 0 ] || { echo "$failures case(s) failed"; exit 1; }
