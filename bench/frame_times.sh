#!/usr/bin/env bash
# Frame times of the game with all 49 passers-by in view, for each way of sending the
# models to GL, against a bare window that only clears and swaps, all in one Xvfb so the
# figures compare. Not a test: it measures and prints.
# Run: bench/frame_times.sh [FRAMES]   (after scripts/build.sh; about a minute)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
frames=600
case "${1:-}" in ''|--inside) ;; *) frames=$1 ;; esac
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Start, turn towards the far end of the street, back into the corner at x -18, z -38
# (both walls clamp the walk), then stand there while the frames are measured.
settle=1000
cat > "$work/script.txt" <<SCRIPT
2 keydown enter
5 motion 779 384
6 keydown s
6 keydown a
$settle keyup s
$settle keyup a
$((settle + frames + 10)) quit
SCRIPT

summarise() {
  python3 - "$1" "$2" "$settle" "$frames" <<'PY'
import json, sys
label, trace, settle, frames = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
lines = [json.loads(l) for l in open(trace)]
window = [l for l in lines if settle + 5 < l["frame"] <= settle + 5 + frames]
times = sorted(l["frameTime"] * 1000 for l in window)
outside = max(l["charactersOutsideView"] for l in window)
# The clock counts whole milliseconds: the mean of many frames is the finer figure.
print("%s: %d frames, mean %.2f ms, median %.0f ms, 95th percentile %.0f ms, at most %d of 49 "
      "passers-by outside the view" % (label, len(times), sum(times) / len(times),
                                        times[len(times) // 2], times[len(times) * 95 // 100],
                                        outside))
PY
}

run_all() {
  export SDL_AUDIODRIVER=dummy
  "$root/build/kerbrunner-bare-window" "$frames"
  cd "$work"
  for path in arrays immediate; do
    mkdir -p "$work/$path"
    ln -sf "$root"/build/data/* "$work/$path/" 2>/dev/null || true
    if [ "$path" = immediate ]; then export KERB_MODEL_DRAW=immediate; else unset KERB_MODEL_DRAW; fi
    "$root/build/kerbrunner" --windowed --name bench --data "$work/$path" \
      --script "$work/script.txt" --trace "$work/$path.jsonl" >/dev/null 2>&1
    summarise "game, models as $path" "$work/$path.jsonl"
  done
}
# The whole comparison runs inside one display: the script calls itself there.
if [ "${1:-}" = --inside ] || [ "${2:-}" = --inside ]; then
  run_all
else
  xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$frames" --inside
fi
