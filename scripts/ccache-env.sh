#!/usr/bin/env bash
# Prints, a NAME=VALUE a line, the environment under which the builds of a
# checkout share one ccache with the builds of another checkout of the same
# files (CI's host and its fresh root): paths below CHECKOUT are hashed as
# relative ones, and the locale is left out of the hash (it only changes the
# language of the compiler's messages; the fresh root has none set). CMake
# puts ccache before the compilers of every build it configures then.
# Usage: scripts/ccache-env.sh CHECKOUT CACHE_DIR
set -euo pipefail
printf '%s\n' "CCACHE_DIR=$2" "CCACHE_BASEDIR=$1" CCACHE_NOHASHDIR=1 CCACHE_SLOPPINESS=locale \
  "CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-20G}" CMAKE_C_COMPILER_LAUNCHER=ccache \
  CMAKE_CXX_COMPILER_LAUNCHER=ccache
