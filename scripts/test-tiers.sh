#!/usr/bin/env bash
# Every test tier, run by scripts/test.sh inside scripts/private-run.sh:
#   1. native unit tests (AddressSanitizer + UBSan) and short fuzz runs;
#   the product's sources compiled with clang as well, warnings as errors (another compiler's habits);
#   2. Windows in-process tests and 3. end-to-end tests of Tallowmere.exe, under Wine and Xvfb;
#   last, two release builds in two folders give the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."

rm -rf build/host build/windows build/clang-mingw
cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

cmake --preset windows >/dev/null
cmake --build --preset windows
cmake --preset clang-mingw >/dev/null
cmake --build --preset clang-mingw

source scripts/wine-env.sh
wine_env_start
ctest --preset windows

# Last, outside Wine: two release builds in two folders give the same bytes (a few minutes).
wine_env_stop
bash scripts/reproducible-test.sh
