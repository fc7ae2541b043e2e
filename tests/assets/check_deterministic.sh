#!/bin/sh
# The generator must write byte-identical data on every run.
set -eu
gen="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$gen" "$work/a"
"$gen" "$work/b"
count=$(find "$work/a" -type f | wc -l)
[ "$count" -gt 0 ] || { echo "the generator wrote no files"; exit 1; }
diff -r "$work/a" "$work/b"
echo "identical: $count files"
