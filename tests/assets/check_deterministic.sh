#!/bin/sh
# The generator must write byte-identical data on every run: a second run against the data the
# build wrote. Usage: check_deterministic.sh GENERATOR DATA_DIR
set -eu
gen="$1"
data="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$gen" "$work/a"
count=$(find "$work/a" -type f | wc -l)
[ "$count" -gt 0 ] || { echo "the generator wrote no files"; exit 1; }
# Only what the generator writes: a test may leave files of its own beside the data.
(cd "$work/a" && find . -type f) | while read -r file; do
  cmp "$work/a/$file" "$data/$file"
done
echo "identical: $count files"
