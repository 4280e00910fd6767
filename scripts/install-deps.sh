#!/usr/bin/env bash
# Installs every Debian package that the build, the demo and the tests need.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev libxtst-dev
  xvfb xauth xdotool x11-apps x11-utils imagemagick
  clang libclang-rt-14-dev llvm clang-format
  libxfixes-dev g++-mingw-w64-x86-64
  libeigen3-dev
  gnuplot-nox
)
# Wine runs the Windows build in the tests; its recommends (fonts, 32-bit parts) are not needed.
lean_packages=(wine64)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
missing_lean=()
for p in "${lean_packages[@]}"; do installed "$p" || missing_lean+=("$p"); done
[ ${#missing[@]} -eq 0 ] && [ ${#missing_lean[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
[ ${#missing[@]} -eq 0 ] || $sudo apt-get install -y -qq "${missing[@]}"
[ ${#missing_lean[@]} -eq 0 ] ||
  $sudo apt-get install -y -qq --no-install-recommends "${missing_lean[@]}"
