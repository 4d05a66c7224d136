#!/usr/bin/env bash
# Installs what building, running and testing Tallowmere needs on Debian 12 (skips what is there).
set -euo pipefail
packages=(
  cmake ninja-build clang libclang-rt-14-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix wine wine64 xvfb xdotool imagemagick openbox
  cups-daemon cups-client printer-driver-cups-pdf poppler-utils fonts-liberation ghostscript
  nsis zip unzip osslsigncode openssl python3-yaml python3-jsonschema python3-xlib
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""; [ "$(id -u)" = 0 ] || sudo=sudo
  echo "Installing: ${missing[*]}"
  # Another run may be installing at the same moment: wait for apt's locks rather than fail.
  for attempt in $(seq 30); do
    $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq && break
    [ "$attempt" -lt 30 ] || exit 1
    sleep 10
  done
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${missing[@]}"
fi
