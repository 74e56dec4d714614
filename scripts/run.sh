#!/usr/bin/env bash
# Installs what is missing, builds and starts the Corvane calculator.
# Any arguments go to Qt (for example -platform offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target corvane
exec build/default/app/corvane "$@"
