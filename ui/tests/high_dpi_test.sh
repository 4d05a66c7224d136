#!/usr/bin/env bash
# The layout and picture tests of ui_tests again on a screen of another scale: Wine takes the DPI
# once, when its server starts, so this runs in a prefix of its own whose DPI is set before that.
#   high_dpi_test.sh path/to/ui_tests.exe [dpi, 144 unless given]
set -uo pipefail
tests=$1 dpi=${2:-144}
here=$(cd "$(dirname "$0")/../.." && pwd)
export WINEDEBUG=-all
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/tlm-dpi-$dpi.XXXXXX")
export WINEPREFIX
trap 'wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1; rm -rf "$WINEPREFIX"' EXIT
wineboot -i >/dev/null 2>&1
for setting in "Control Panel\\Desktop|LogPixels|REG_DWORD|$dpi" \
  "Software\\Wine\\X11 Driver|Managed|REG_SZ|N" "Control Panel\\International|sThousand|REG_SZ|,"; do
  IFS='|' read -r key name type data <<<"$setting"
  wine reg add "HKCU\\$key" /v "$name" /t "$type" /d "$data" /f >/dev/null 2>&1
done
wineserver -w
bash "$here/scripts/wine-run.sh" "$tests" --gtest_filter='*EveryControlFits*:*PicturesAreDrawn*'
