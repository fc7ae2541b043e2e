#!/usr/bin/env bash
# Configures and builds the game, its tools and its data into build/ at the repository root,
# with a line per compiled file. Optimised as a release (-O2) without debug information,
# which would add about a quarter to the compile time and nothing a player sees; the
# sanitizer build (./check) and the fuzz build keep theirs. The game's libraries compile as a
# few large files each (KERB_UNITY_LIBRARIES), which takes a quarter off the whole build.
# Arguments go to CMake's configuration (./check passes -DKERB_TEST_PROGRAMS=OFF).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ -f "$root/build/CMakeCache.txt" ] || echo "Configuring the build in $root/build"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DKERB_UNITY_LIBRARIES=ON \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" "$@" >/dev/null
"$root/scripts/compile.sh" "$root/build"
