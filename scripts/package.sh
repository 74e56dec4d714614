#!/usr/bin/env bash
# Builds the default preset and makes the Debian package from it:
# build/package/corvane_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default
rm -f build/package/corvane_*.deb
cpack --config build/default/CPackConfig.cmake -B build/package
