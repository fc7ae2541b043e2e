#!/usr/bin/env bash
# Remakes the README's pictures: a fixed-step demo game in a virtual 1024 x 768 screen,
# its menu, first green cone, raised fist and table, scaled to 320 pixels wide into docs/.
# Run from anywhere after a build: docs/make_pictures.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
XDG_DATA_HOME="$work/table" SDL_AUDIODRIVER=dummy \
  xvfb-run -a -s "-screen 0 1024x768x24" "$root/build/kerbrunner" --data "$root/build/data" \
  --windowed --demo --fixed-step 33 --pictures "$work/pictures" > /dev/null
for picture in menu cone:street fist table; do
  from=${picture%%:*} to=${picture##*:}
  convert "$work/pictures/$from.png" -resize 320x -strip "$root/docs/$to.png"
done
echo "Pictures written to $root/docs"
