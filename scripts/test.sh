#!/usr/bin/env bash
# Builds both configurations from scratch and runs every test tier:
#   1. native unit tests (AddressSanitizer + UBSan) and short fuzz runs;
#   2. Windows in-process tests and 3. end-to-end tests of Tallowmere.exe, under Wine and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

rm -rf build/host build/windows
cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

cmake --preset windows >/dev/null
cmake --build --preset windows

source scripts/wine-env.sh
trap wine_env_stop EXIT
bash scripts/printer.sh start
trap 'bash scripts/printer.sh stop; wine_env_stop' EXIT
wine_env_start
ctest --preset windows

# Last, outside Wine: two release builds in two folders give the same bytes (a few minutes).
wine_env_stop
bash scripts/reproducible-test.sh
