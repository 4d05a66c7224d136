#!/usr/bin/env bash
# Builds the release from scratch into dist/: Tallowmere-<version>-setup.exe,
# Tallowmere-<version>-portable.zip and SHA256SUMS. The same commit gives the same bytes in any
# folder: file times come from the commit's date (SOURCE_DATE_EPOCH, when not set already).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
fi
export SOURCE_DATE_EPOCH
rm -rf build/release dist
cmake --preset release >/dev/null
cmake --build --preset release
cat dist/SHA256SUMS
