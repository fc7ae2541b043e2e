#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# into build-fuzz/ and runs each for SECONDS (default 60), two at a time. Each starts from a
# temporary copy of its seeds in fuzz/corpus/<target>/ plus the inputs in
# fuzz/regressions/<target>/, so the repository stays as it is. An input that crashes, leaks,
# reads out of bounds, breaks a check, takes over 10 s or asks for over 256 MB at once (no
# input of a few kilobytes may) is kept in build-fuzz/findings/<target>/ and the run fails,
# naming it.
# Usage: fuzz/run.sh [SECONDS] [TARGET...]   (targets: bmp md2 highscore script options ...)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
case "$seconds" in '' | *[!0-9]*) echo "usage: $0 [SECONDS] [TARGET...]" >&2; exit 2 ;; esac
jobs=${KERB_FUZZ_JOBS:-2}
build="$root/build-fuzz"

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for src in "$root"/fuzz/fuzz_*.cpp; do
    name=$(basename "$src" .cpp)
    targets+=("${name#fuzz_}")
  done
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DKERB_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
"$root/scripts/compile.sh" "$build" "${targets[@]/#/fuzz_}"
programs=()
for t in "${targets[@]}"; do programs+=("$build/fuzz/fuzz_$t"); done
sh "$root/fuzz/check_links.sh" "${programs[@]}" >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/kerb-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/logs"
export UBSAN_OPTIONS=print_stacktrace=1

# One target: its own corpus copy, its log, and a summary line in $work/<target>.result.
run_one() {
  local t=$1
  local corpus="$work/$t" findings="$build/findings/$t" log="$build/logs/$t.log"
  mkdir -p "$corpus" "$findings"
  cp -r "$root/fuzz/corpus/$t/." "$corpus/"
  local dirs=("$corpus")
  [ -d "$root/fuzz/regressions/$t" ] && dirs+=("$root/fuzz/regressions/$t")
  local start end status=0
  start=$(date +%s)
  (cd "$work" && "$build/fuzz/fuzz_$t" "${dirs[@]}" -max_total_time="$seconds" -timeout=10 \
    -malloc_limit_mb=256 -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1) || status=$?
  end=$(date +%s)
  local runs rate added
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  added=$(sed -n 's/^stat::new_units_added: *//p' "$log")
  if [ "$status" -eq 0 ]; then
    printf '%-10s %10s runs in %4ss (%s/s), %s new inputs, nothing found\n' \
      "$t" "${runs:-?}" "$((end - start))" "${rate:-?}" "${added:-?}" >"$work/$t.result"
  else
    {
      printf '%-10s FOUND after %ss: ' "$t" "$((end - start))"
      grep -m1 -E 'check failed|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error' "$log" || echo "exit $status"
      grep -m1 -o "Test unit written to .*" "$log" || true
      echo "  log: $log"
    } >"$work/$t.result"
  fi
}

echo "Fuzzing ${targets[*]} for ${seconds}s each, $jobs at a time (logs in $build/logs):"
running=0
for t in "${targets[@]}"; do
  run_one "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait || true

failed=0
for t in "${targets[@]}"; do
  cat "$work/$t.result"
  grep -q "FOUND" "$work/$t.result" && failed=1
done
exit $failed
