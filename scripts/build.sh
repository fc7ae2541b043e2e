#!/usr/bin/env bash
# Configures and builds the game, its tools and its data into build/ at the repository root.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" -- --no-print-directory >/dev/null
