#!/usr/bin/env bash
# Builds Tallowmere.exe and starts it under Wine (Linux). On Windows, see the README.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tallowmere
export WINEDEBUG=-all
if [ -z "${DISPLAY:-}" ]; then
  echo "No DISPLAY: starting on a virtual screen (Xvfb :77); see it with a VNC viewer or a screenshot." >&2
  Xvfb :77 -screen 0 1280x1024x24 >/dev/null 2>&1 &
  export DISPLAY=:77
  sleep 1
fi
# The list uses "Courier New"; its metric twin stands in for it under Wine.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f >/dev/null 2>&1 || true
exec wine build/windows/app/Tallowmere.exe "$@"
