#!/usr/bin/env bash
# Installs what building and testing Zelvorin needs on Debian 12. Run by the
# Makefile before every build: when everything is present it only checks
# (well under a second); otherwise it installs what is missing.
#   setup.sh [BUILD_DIR]
# It also finds out whether this machine can run 32-bit programs, which the
# i686 tree's tests and the shipped program need. When it cannot, the reason
# goes to BUILD_DIR/no-32bit (one line) and the rest goes on without it.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath -m "${1:-$root/build}")

packages=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix  # the two cross compilers
  wine64 fonts-wine xvfb x11-utils imagemagick          # running and looking at Windows programs
  fonts-arphic-uming locales                            # Song-style Chinese text, zh_CN.UTF-8
  cmake ninja-build googletest libbenchmark-dev         # build, tests, benchmarks
  libpng-dev                                            # the skin tool's PNG files
  clang libclang-rt-14-dev                              # libFuzzer with the sanitizers
  nasm dpkg-dev file                                    # libjpeg-turbo's SIMD code and its source package
)
# Wine's 32-bit loader runs i686 programs in the 64-bit prefix. Its display
# driver uses these X extensions only when their libraries are there; the
# 64-bit side has them (x11-utils brings most), and both sides should draw
# and take input alike.
packages_i386=(
  wine32:i386
  libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386 libxfixes3:i386
  libxinerama1:i386 libxcomposite1:i386 libxxf86vm1:i386
)
loader32=/usr/lib/wine/wine
src_list=/etc/apt/sources.list.d/zelvorin-deb-src.sources

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

is_installed() {
  dpkg-query -W -f='${Status}\n' "$@" 2>/dev/null | grep -c '^install ok installed$' || true
}

need_update=0
x86=0
[ "$(uname -m)" = x86_64 ] && x86=1
if [ $x86 = 1 ]; then
  packages+=("${packages_i386[@]}")
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: enabling the i386 architecture"
    as_root dpkg --add-architecture i386
    need_update=1
  fi
fi

missing=()
# One query answers the usual case, that everything is there.
if [ "$(is_installed "${packages[@]}")" != ${#packages[@]} ]; then
  for p in "${packages[@]}"; do
    [ "$(is_installed "$p")" = 1 ] || missing+=("$p")
  done
fi

[ ${#missing[@]} -gt 0 ] && need_update=1
if [ ! -f "$src_list" ]; then
  # apt-get source needs the deb-src lines of the same archive the machine uses.
  first=/etc/apt/sources.list.d/debian.sources
  if [ -f "$first" ]; then
    sed -e 's/^Types: deb$/Types: deb-src/' "$first" | as_root tee "$src_list" >/dev/null
  else
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      | as_root tee "$src_list" >/dev/null
  fi
  need_update=1
fi

if [ $need_update = 1 ]; then
  echo "setup: installing ${missing[*]:-package lists}"
  as_root apt-get update -qq
  [ ${#missing[@]} -gt 0 ] && as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  as_root sed -i -e 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi

# Starting the 32-bit loader answers for the kernel (a 64-bit kernel may be
# built or booted without 32-bit support) and for the loader together.
mkdir -p "$build"
reason=
if [ $x86 = 0 ]; then
  reason="this is a $(uname -m) machine, and Wine runs 32-bit x86 programs only on x86"
elif [ ! -x "$loader32" ]; then
  reason="Wine's 32-bit loader $loader32 is not installed"
elif ! out=$("$loader32" --version 2>&1 | head -1); then
  # Without the "script: line N:" that bash puts before its own messages.
  reason="${out#*line [0-9]*: }"
  [ -n "$reason" ] || reason="$loader32 --version failed"
  case $out in *"Exec format error"*) reason+=" (this kernel runs no 32-bit programs)" ;; esac
fi
if [ -n "$reason" ]; then
  [ "$(cat "$build/no-32bit" 2>/dev/null)" = "$reason" ] || echo "setup: 32-bit programs cannot run: $reason"
  echo "$reason" >"$build/no-32bit"
else
  rm -f "$build/no-32bit"
fi
