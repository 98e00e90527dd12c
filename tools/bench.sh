#!/usr/bin/env bash
# Runs every benchmark program: the native ones directly, the Windows ones
# under Wine in one session.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
export ZEL_BUILD=$build
shopt -s nullglob
for b in "$build"/native/tests/bench/*; do
  [ -x "$b" ] && [ -f "$b" ] && { echo "== $(basename "$b")"; "$b"; }
done
progs=("$build"/win64/tests/bench/*.exe)
if [ ${#progs[@]} -gt 0 ]; then
  trap '"$root/tools/wine/session" stop' EXIT
  "$root/tools/wine/session" start
  for b in "${progs[@]}"; do
    echo "== $(basename "$b") (Wine)"
    "$root/tools/wine/run" "$b"
  done
fi
