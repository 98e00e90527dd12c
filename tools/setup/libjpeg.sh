#!/usr/bin/env bash
# Cross-builds libjpeg-turbo from Debian's source package (which carries the
# distribution's patches) as a static library for both Windows targets, once.
# Usage: libjpeg.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath -m "$1")
third=$build/third_party
src_parent=$third/src

src=$(ls -d "$src_parent"/libjpeg-turbo-*/ 2>/dev/null | head -1 || true)
if [ -z "$src" ] || [ ! -f "$src/CMakeLists.txt" ]; then
  rm -rf "$src_parent"
  mkdir -p "$src_parent"
  echo "libjpeg: fetching Debian's libjpeg-turbo source package"
  (cd "$src_parent" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1)
  src=$(ls -d "$src_parent"/libjpeg-turbo-*/ | head -1)
fi

for arch in x86_64 i686; do
  prefix=$third/$arch
  [ -f "$prefix/lib/libjpeg.a" ] && continue
  echo "libjpeg: building for $arch"
  rm -rf "$third/build-$arch" "$prefix"
  # An absolute Linux install prefix: the default Windows-style one breaks configuration.
  cmake -S "$src" -B "$third/build-$arch" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF \
    -DCMAKE_INSTALL_PREFIX="$prefix" >"$third/build-$arch.log" 2>&1
  cmake --build "$third/build-$arch" >>"$third/build-$arch.log" 2>&1
  cmake --install "$third/build-$arch" >>"$third/build-$arch.log" 2>&1
done
