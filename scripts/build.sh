#!/usr/bin/env bash
# Configures and builds the game, its tools and its data into build/ at the repository root,
# with a line per compiled file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ -f "$root/build/CMakeCache.txt" ] || echo "Configuring the build in $root/build"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
"$root/scripts/compile.sh" "$root/build"
