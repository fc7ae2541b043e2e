#!/bin/sh
# Fails, naming them, when any of the given programs loads a GL, GLUT or audio library:
# programs built on the core library alone must run where there is no display or sound.
# Usage: fuzz/check_links.sh PROGRAM...
set -eu
[ $# -gt 0 ] || { echo "usage: $0 PROGRAM..." >&2; exit 2; }
status=0
for program in "$@"; do
  libs=$(ldd "$program") || { echo "$program: ldd failed" >&2; exit 2; }
  devices=$(printf '%s\n' "$libs" | grep -E '^[[:space:]]*lib(GL|GLU|GLX|OpenGL|EGL|glut|SDL2)[-_.a-z0-9]*\.so' || true)
  if [ -n "$devices" ]; then
    echo "$program links device libraries:"
    printf '%s\n' "$devices"
    status=1
  else
    echo "$program: no GL, GLUT or audio library"
  fi
done
exit $status
