#!/usr/bin/env bash
# Builds the browser version of the game into build-web/ at the repository root: index.html,
# kerbrunner.js, kerbrunner.wasm and kerbrunner.data, the files a static web server needs.
# The game data comes from a desktop build (made first with scripts/build.sh when build/data
# is missing); the program is compiled with emscripten into build-emscripten/.
# Usage: scripts/build-web.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=2

# Debian's emscripten works offline with these.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
export NODE_OPTIONS="${NODE_OPTIONS:+$NODE_OPTIONS }--no-experimental-fetch"

for tool in emcmake emcc; do
  if ! command -v "$tool" >/dev/null; then
    echo "build-web: $tool is missing (Debian package emscripten)" >&2
    exit 1
  fi
done

if [ ! -f "$root/build/data/.stamp" ]; then
  echo "Building the desktop game first, for its data (build/data)"
  "$root/scripts/build.sh"
fi

build="$root/build-emscripten"
site="$root/build-web"
[ -f "$build/CMakeCache.txt" ] || echo "Configuring the browser build in $build"
# Each library as a few large files: emscripten's compiler costs most in starting up.
emcmake cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKERB_UNITY_LIBRARIES=ON >/dev/null
cmake --build "$build" -j"$jobs" -- --no-print-directory |
  sed -u -e '/\] Built target /d' -e '/^Consolidate compiler generated dependencies/d' \
    -e '/^Scanning dependencies of target/d'

rm -rf "$site"
mkdir -p "$site"
cp "$build"/site/* "$site"/
echo "The page is in $site:"
ls -l "$site" | sed 1d
