#!/usr/bin/env bash
# Prints the flags Debian builds its own packages with (dpkg-buildflags,
# hardening included, bindnow too), for this checkout: the C++ compiler's
# (CPPFLAGS then CXXFLAGS, as one line), or with LDFLAGS the linker's.
# scripts/package.sh builds with them. CI builds the test command with them
# too (as CXXFLAGS), so that every file the package's build compiles is a
# compiler call already made, which ccache answers.
# Usage: scripts/debian-flags.sh [CXXFLAGS|LDFLAGS]
set -euo pipefail
cd "$(dirname "$0")/.."
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
case "${1:-CXXFLAGS}" in
  CXXFLAGS) echo "$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" ;;
  LDFLAGS) dpkg-buildflags --get LDFLAGS ;;
  *) echo "usage: $0 [CXXFLAGS|LDFLAGS]" >&2; exit 2 ;;
esac
