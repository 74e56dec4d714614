#!/usr/bin/env bash
# Makes the Debian package build/package/corvane_<version>_<arch>.deb.
# Installs what is missing, then builds the two programs and the printing
# module in build/deb (no tests, no benchmarks) with the compiler and linker
# flags that Debian builds its own packages with, hardening included
# (scripts/debian-flags.sh), and packs them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
# Installed under /usr, so the printing module goes to the multiarch library
# folder (/usr/lib/<triplet>/corvane), where a private module needs no ldconfig.
cxxflags=$(scripts/debian-flags.sh) ldflags=$(scripts/debian-flags.sh LDFLAGS)
cmake -S . -B build/deb -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DCORVANE_TESTS=OFF -DCORVANE_BENCH=OFF -DCMAKE_CXX_FLAGS="$cxxflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" \
  >/dev/null
cmake --build build/deb
rm -f build/package/corvane_*.deb
cpack --config build/deb/CPackConfig.cmake -B build/package
