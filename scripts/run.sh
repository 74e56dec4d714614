#!/usr/bin/env bash
# Installs what is missing, builds, and starts Corvane.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
echo "forward 1000 2000 45.3025 100 ->"
build/default/cli/corvane-calc forward 1000 2000 45.3025 100
