#!/usr/bin/env bash
# Installs what the build and the tests need from Debian's packages, when it is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev googletest
  nlohmann-json3-dev
  qt6-base-dev libgl-dev
  fonts-liberation  # the face the Qt windows are drawn in (src/frontends/qt/window_view.cpp)
  libbenchmark-dev
  clang clang-format
  libclang-rt-dev llvm  # libFuzzer and the sanitizer runtimes for clang (scripts/fuzz.sh)
  # The Windows builds (scripts/build-windows.sh, 32-bit and 64-bit) and wine to run them
  # (scripts/test-windows.sh): 64-bit wine on every machine, 32-bit wine where the machine can
  # run 32-bit programs (installing it is harmless where it cannot)
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 wine32:i386
  xvfb xauth  # a virtual display for the Windows tests that show windows (xvfb-run)
  libpugixml-dev libproj-dev proj-data  # the bookmark converter (src/convert/)
  python3-qgis  # QGIS's own bookmark manager, for the converter's check against it
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  # wine32 is an i386 package: the architecture must be known before the package lists are read.
  if [[ " ${missing[*]} " == *" wine32:i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
