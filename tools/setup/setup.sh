#!/usr/bin/env bash
# Installs what building and testing Zelvorin needs on Debian 12. Run by the
# Makefile before every build: when everything is present it only checks
# (well under a second); otherwise it installs what is missing.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix  # the two cross compilers
  wine64 fonts-wine xvfb x11-utils imagemagick          # running and looking at Windows programs
  fonts-arphic-uming locales                            # Song-style Chinese text, zh_CN.UTF-8
  cmake ninja-build googletest libbenchmark-dev         # build, tests, benchmarks
  clang libclang-rt-14-dev                              # libFuzzer with the sanitizers
  nasm dpkg-dev file                                    # libjpeg-turbo's SIMD code and its source package
)
src_list=/etc/apt/sources.list.d/zelvorin-deb-src.sources

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

need_update=0
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
  echo "setup: installing ${missing[*]:-deb-src index}"
  as_root apt-get update -qq
  [ ${#missing[@]} -gt 0 ] && as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  as_root sed -i -e 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
