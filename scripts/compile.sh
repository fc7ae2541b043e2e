#!/usr/bin/env bash
# Builds the given targets (all without any) of a configured build directory, showing one
# progress line per step ("[ 42%] Building CXX object ..."); a build with nothing to do
# prints nothing. Usage: scripts/compile.sh BUILD_DIR [TARGET...]
set -euo pipefail
dir=$1
shift
targets=()
[ $# -gt 0 ] && targets=(--target "$@")
cmake --build "$dir" -j"$(nproc)" "${targets[@]}" -- --no-print-directory |
  sed -u -e '/\] Built target /d' -e '/^Consolidate compiler generated dependencies/d' \
    -e '/^Scanning dependencies of target/d'
