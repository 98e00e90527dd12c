#!/usr/bin/env bash
# Starts build/win64/zelvorin.exe: on the user's display when DISPLAY is set,
# otherwise on the harness's virtual display, where zel_drive plays a short
# session (choose "北京", search "023", open the About window) and a
# screenshot of each step goes to out/.
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
drive() { DISPLAY=$display "$zel_wine" "$build/win64/zel_drive.exe" "$@"; }
shot() { "$root/tools/wine/screenshot" "$out/$1" --window "$2"; }
about=$(printf '\xe5\x85\xb3\xe4\xba\x8e\xe2\x80\x9cZelvorin\xe2\x80\x9d')
drive wait
shot 1-start.png Zelvorin
drive group 北京
shot 2-group-beijing.png Zelvorin
drive search 023
shot 3-search-023.png Zelvorin
drive about
shot 4-about.png "$about"
drive ok
drive quit
echo "No display: a scripted session ran on a virtual display; screenshots of its steps are in $out:"
ls "$out"/[1-4]-*.png
