#!/usr/bin/env bash
# Installs what building, running and testing Tallowmere needs on Debian 12 (skips what is there).
set -euo pipefail
packages=(
  cmake ninja-build clang libclang-rt-14-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix wine wine64 xvfb xdotool imagemagick openbox
  cups-daemon cups-client printer-driver-cups-pdf poppler-utils fonts-liberation ghostscript
  nsis zip unzip
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""; [ "$(id -u)" = 0 ] || sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
