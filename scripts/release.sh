#!/usr/bin/env bash
# Builds the release from scratch into dist/: Tallowmere-<version>-setup.exe,
# Tallowmere-<version>-portable.zip and SHA256SUMS. The same commit gives the same bytes in any
# folder: file times come from the commit's date (SOURCE_DATE_EPOCH, when not set already; a fixed
# date without git history).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
SOURCE_DATE_EPOCH=$(bash scripts/source-date.sh)
export SOURCE_DATE_EPOCH
rm -rf build/release dist
cmake --preset release >/dev/null
cmake --build --preset release
cat dist/SHA256SUMS
