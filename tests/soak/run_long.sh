#!/usr/bin/env bash
# Longer soaks than ./check runs: several seeds of a whole game of random input each, and as
# many window-resizing runs. Exits 1 if any frame of any run fails its checks.
#   tests/soak/run_long.sh [SEEDS] [FRAMES]     (default 10 seeds of 21,700 frames)
# KERB_GAME picks the program (for example build-asan/kerbrunner for the sanitizer build).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
seeds=${1:-10}
frames=${2:-21700}
failed=0
for seed in $(seq 1 "$seeds"); do
  python3 "$here/soak.py" --seed "$seed" --frames "$frames" --step 7 || failed=1
  python3 "$here/soak.py" --seed "$seed" --frames "$frames" --step 7 --resize || failed=1
done
exit $failed
