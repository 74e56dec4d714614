#!/usr/bin/env bash
# Builds for 64-bit Windows (mingw-w64) the libraries corvane-calc needs
# beyond the compiler's own: GeographicLib, from Debian's source of the
# version installed for the Linux build (libgeographiclib-dev), so that both
# builds project with the same code. Nothing is downloaded from elsewhere:
# `apt-get source` through a private deb-src list for the machine's own
# Debian mirror, kept apart from the system's apt lists.
#
# Built once per machine into $CORVANE_WINDOWS_CACHE (/var/cache/corvane-windows
# as root, else ~/.cache/corvane-windows) and reused; prints the folder to give
# the windows preset as CORVANE_WINDOWS_PREFIX.
# Usage: scripts/windows-libs.sh
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -eq 0 ]; then default_cache=/var/cache/corvane-windows
else default_cache=${XDG_CACHE_HOME:-$HOME/.cache}/corvane-windows; fi
cache=${CORVANE_WINDOWS_CACHE:-$default_cache}
version=$(dpkg-query -W -f='${source:Version}' libgeographiclib-dev)
prefix=$cache/geographiclib-$version
if [ -f "$prefix/.built" ]; then
  echo "$prefix"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source_dir=$(scripts/debian-source.sh "geographiclib=$version" "$work")
cmake -S "$source_dir" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/WindowsToolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DBUILD_SHARED_LIBS=OFF -DBUILD_MANPAGES=OFF \
  -DBUILD_DOCUMENTATION=OFF -DCONVERT_WARNINGS_TO_ERRORS=OFF -DEXAMPLEDIR= \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_INSTALL_PREFIX="$prefix" >&2
cmake --build "$work/build" >&2
rm -rf "$prefix"
cmake --install "$work/build" >&2
touch "$prefix/.built"
echo "$prefix"
