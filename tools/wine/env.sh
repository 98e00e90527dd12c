# Sourced by the Wine harness scripts: one private Wine prefix and session
# per build root, so parallel build trees never share a wineserver.
#
# ZEL_BUILD is the build root (default: build/ of the source tree). When it is
# unset and a program path is given, the root is found from the program's
# location: the parent of the nearest folder holding a CMakeCache.txt.
# ZEL_SESSION, when set, names a further session of the same root with its
# own prefix, display and wineserver, so that two test suites that read the
# screen back can run side by side.

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
  local suffix=${ZEL_SESSION:+-$ZEL_SESSION}
  export WINEPREFIX=$ZEL_BUILD/wineprefix$suffix
  export WINEARCH=win64
  export WINEDEBUG=-all
  # Without LC_ALL too, GetACP() can answer 1252 instead of 936.
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
  # No Mono or Gecko installer prompts, no desktop menu entries.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  zel_state=$ZEL_BUILD/wine-session$suffix
  zel_wine=/usr/lib/wine/wine64
  zel_wine32=/usr/lib/wine/wine
  zel_wineserver=/usr/lib/wine/wineserver64
  [ -x "$zel_wineserver" ] || zel_wineserver=/usr/lib/wine/wineserver
}

zel_session_alive() {
  [ -f "$zel_state/xvfb.pid" ] && [ -f "$zel_state/display" ] &&
    kill -0 "$(cat "$zel_state/xvfb.pid")" 2>/dev/null
}

# The loader for PROGRAM, chosen by the machine type in its PE header: Wine's
# 32-bit loader for i386 programs, which run in the 64-bit prefix through
# WoW64, and the 64-bit one for x86-64 programs and Wine's own commands.
zel_loader_for() {
  local pe machine
  if [ -f "$1" ] && [ "$(head -c 2 "$1")" = MZ ]; then
    pe=$(od -An -tu4 -j 60 -N 4 "$1" | tr -d ' ')
    [ -n "$pe" ] && machine=$(od -An -tx1 -j "$pe" -N 6 "$1" | tr -d ' ')
  fi
  case ${machine:-} in
    504500004c01) echo "$zel_wine32" ;;
    *) echo "$zel_wine" ;;
  esac
}
