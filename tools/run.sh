#!/usr/bin/env bash
# Starts the shipped program, build/win32/zelvorin.exe (build/win64's where
# this machine cannot run 32-bit programs): on the user's display when DISPLAY
# is set, otherwise on the harness's virtual display, where zel_drive plays a
# short session (choose "北京", search "023", scroll both lists to the
# middle, hover the menu bar, open the result list's menu and the system
# menu, open the About window) and a screenshot of each step goes to out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
export ZEL_BUILD=$build
tree=$build/win32
if [ -f "$build/no-32bit" ]; then
  echo "Starting the 64-bit build: 32-bit programs cannot run here ($(cat "$build/no-32bit"))"
  tree=$build/win64
fi
program=$tree/zelvorin.exe
source "$root/tools/wine/env.sh"
zel_wine_env
"$root/tools/wine/prefix"
loader=$(zel_loader_for "$program")

if [ -n "${DISPLAY:-}" ]; then
  exec "$loader" "$program"
fi

out=$root/out
mkdir -p "$out"
trap '"$root/tools/wine/session" stop' EXIT
"$root/tools/wine/session" start
display=$("$root/tools/wine/session" display)
DISPLAY=$display "$loader" "$program" >/dev/null 2>&1 &
drive() { DISPLAY=$display "$loader" "$tree/zel_drive.exe" "$@"; }
# A window by its title, or the whole screen.
shot() {
  if [ $# -ge 2 ]; then "$root/tools/wine/screenshot" "$out/$1" --window "$2"
  else "$root/tools/wine/screenshot" "$out/$1"; fi
}
about=$(printf '\xe5\x85\xb3\xe4\xba\x8e\xe2\x80\x9cZelvorin\xe2\x80\x9d')
drive wait
shot 1-start.png Zelvorin
drive group 北京
shot 2-group-beijing.png Zelvorin
drive search 023
shot 3-search-023.png Zelvorin
drive middle
shot 3-search-023-middle.png Zelvorin
drive hover
shot 4-menu-hot.png Zelvorin
drive context
shot 5-context-menu.png
drive escape
drive sysmenu
shot 6-system-menu.png
drive escape
drive about
shot 7-about.png "$about"
shot 8-about-over-inactive-main.png
drive ok
drive quit
echo "No display: a scripted session ran on a virtual display; screenshots of its steps are in $out:"
ls "$out"/[1-8]-*.png
