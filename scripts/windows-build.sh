#!/usr/bin/env bash
# Cross-compiles the demo for Windows x86-64 with Debian's MinGW-w64, against freeglut built as a
# static MinGW library from Debian's own freeglut source package. Leaves build-windows/papercrowd.exe
# (static: no DLLs needed) with the fourteen pictures beside it.
#
#   bash scripts/windows-build.sh [--no-install] [extra cmake arguments]
#
# --no-install: install nothing; without the MinGW-w64 compiler exit with status 77 (skipped), or
# fail under CI (CI=true).
# freeglut is built once and kept outside the clone, in
# ${XDG_CACHE_HOME:-$HOME/.cache}/papercrowd/freeglut-mingw (remove it to rebuild).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

install=1
if [ "${1:-}" = "--no-install" ]; then
  install=0
  shift
fi

if [ $install -eq 1 ]; then
  bash scripts/install-deps.sh
elif ! command -v x86_64-w64-mingw32-g++ >/dev/null; then
  if [ "${CI:-}" = true ]; then
    echo "windows-build: FAILED, CI=true and x86_64-w64-mingw32-g++ is not installed" >&2
    exit 1
  fi
  echo "windows-build: skipped, x86_64-w64-mingw32-g++ is not installed (bash scripts/install-deps.sh)" >&2
  exit 77
fi

toolchain=$root/cmake/mingw-w64-x86_64.cmake
cache=${XDG_CACHE_HOME:-$HOME/.cache}/papercrowd/freeglut-mingw
prefix=$cache/prefix

# freeglut for MinGW, static, from Debian's source package fetched through a private apt
# configuration (deb-src copies of the machine's sources; /etc/apt is only read).
if [ ! -f "$prefix/lib/libfreeglut_static.a" ]; then
  rm -rf "$cache"
  apt=$cache/apt
  mkdir -p "$apt/sources" "$apt/lists/partial" "$apt/cache/archives/partial" "$cache/src"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    sed 's/^Types:.*/Types: deb-src/' "$f" >"$apt/sources/$(basename "$f")"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -e "$f" ] || continue
    sed -n 's/^deb \(.*\)/deb-src \1/p' "$f" >"$apt/sources/$(basename "$f")"
  done
  aptopts=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt/sources"
    -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache")
  apt-get "${aptopts[@]}" -qq update
  (cd "$cache/src" && apt-get "${aptopts[@]}" -qq source --download-only freeglut)
  orig=$(ls "$cache"/src/freeglut_*.orig.tar.* | head -n 1)
  mkdir -p "$cache/src/freeglut"
  tar -xf "$orig" -C "$cache/src/freeglut" --strip-components=1
  cmake -S "$cache/src/freeglut" -B "$cache/build" --toolchain "$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON \
    >"$cache/configure.log"
  cmake --build "$cache/build" -j2 >"$cache/build.log"
  cmake --install "$cache/build" >"$cache/install.log"
  rm -rf "$cache/build" "$cache/src/freeglut" "$apt"
fi

# The pictures are drawn on the build machine by a host build of the generator: the one named by
# PAPERCROWD_HOST_SPRITES (the tests pass the release build's), or one built here.
sprites=${PAPERCROWD_HOST_SPRITES:-}
if [ -z "$sprites" ] || [ ! -x "$sprites" ]; then
  host=$root/build-windows/host-tools
  cmake -S . -B "$host" -DCMAKE_BUILD_TYPE=Release -DPAPERCROWD_BUILD_TESTS=OFF >/dev/null
  cmake --build "$host" -j2 --target papercrowd-sprites >/dev/null
  sprites=$host/papercrowd-sprites
fi

# The demo. Static freeglut needs FREEGLUT_STATIC and the Windows libraries it calls; -static
# links the C and C++ runtimes in, so the .exe runs without MinGW's DLLs.
cmake -S . -B build-windows --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_FIND_ROOT_PATH="$prefix" \
  -DGLUT_INCLUDE_DIR="$prefix/include" -DGLUT_glut_LIBRARY_RELEASE="$prefix/lib/libfreeglut_static.a" \
  -DCMAKE_C_FLAGS=-DFREEGLUT_STATIC -DCMAKE_CXX_FLAGS=-DFREEGLUT_STATIC \
  -DCMAKE_CXX_STANDARD_LIBRARIES="-lgdi32 -lwinmm" -DCMAKE_EXE_LINKER_FLAGS=-static \
  -DPAPERCROWD_HOST_SPRITES="$sprites" "$@" >/dev/null
cmake --build build-windows -j2 --target papercrowd sprites

echo "windows-build: $root/build-windows/papercrowd.exe"
