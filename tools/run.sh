#!/usr/bin/env bash
# Starts build/win64/zelvorin.exe: on the user's display when DISPLAY is set,
# otherwise on the harness's virtual display, writing a screenshot to out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
export ZEL_BUILD=$build
program=$build/win64/zelvorin.exe
source "$root/tools/wine/env.sh"
zel_wine_env
"$root/tools/wine/prefix"

if [ -n "${DISPLAY:-}" ]; then
  exec "$zel_wine" "$program"
fi

out=$root/out
mkdir -p "$out"
trap '"$root/tools/wine/session" stop' EXIT
"$root/tools/wine/session" start
display=$("$root/tools/wine/session" display)
DISPLAY=$display "$zel_wine" "$program" >/dev/null 2>&1 &
for _ in $(seq 100); do
  xwininfo -display "$display" -name Zelvorin >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 0.5
"$root/tools/wine/screenshot" "$out/zelvorin.png"
echo "No display: the program ran on a virtual display; screenshot in $out/zelvorin.png"
