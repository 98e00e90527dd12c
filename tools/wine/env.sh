# Sourced by the Wine harness scripts: one private Wine prefix and session
# per build root, so parallel build trees never share a wineserver.
#
# ZEL_BUILD is the build root (default: build/ of the source tree). When it is
# unset and a program path is given, the root is found from the program's
# location: the parent of the nearest folder holding a CMakeCache.txt.

zel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

zel_find_build_root() {
  local dir
  dir=$(dirname "$(realpath -m "$1")")
  while [ "$dir" != / ]; do
    if [ -f "$dir/CMakeCache.txt" ]; then
      dirname "$dir"
      return
    fi
    dir=$(dirname "$dir")
  done
  echo "$zel_root/build"
}

zel_wine_env() {
  ZEL_BUILD=$(realpath -m "${ZEL_BUILD:-$zel_root/build}")
  export ZEL_BUILD
  export WINEPREFIX=$ZEL_BUILD/wineprefix
  export WINEARCH=win64
  export WINEDEBUG=-all
  # Without LC_ALL too, GetACP() can answer 1252 instead of 936.
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
  # No Mono or Gecko installer prompts, no desktop menu entries.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  zel_state=$ZEL_BUILD/wine-session
  zel_wine=/usr/lib/wine/wine64
  zel_wineserver=/usr/lib/wine/wineserver64
  [ -x "$zel_wineserver" ] || zel_wineserver=/usr/lib/wine/wineserver
}

zel_session_alive() {
  [ -f "$zel_state/xvfb.pid" ] && [ -f "$zel_state/display" ] &&
    kill -0 "$(cat "$zel_state/xvfb.pid")" 2>/dev/null
}
