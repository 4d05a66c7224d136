#!/usr/bin/env bash
# Screenshots of the main window at 96 and 144 DPI (100 % and 150 % scaling), side by side in
# docs/main-window-dpi.png; each DPI runs in a fresh Wine prefix set to it before its server starts.
# Needs a built build/windows/app/Tallowmere.exe (bash scripts/run.sh builds it).
#   screenshots.sh [output.png] [dpi...]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/main-window-dpi.png}
shift || true
dpis=("$@")
[ ${#dpis[@]} -gt 0 ] || dpis=(96 144)
exe=$PWD/build/windows/app/Tallowmere.exe
[ -f "$exe" ] || { echo "build Tallowmere.exe first (bash scripts/run.sh)" >&2; exit 2; }
work=$(mktemp -d "${TMPDIR:-/tmp}/tlm-shots.XXXXXX")
display_pid=
cleanup() {
  WINEPREFIX=$work/prefix wineserver -k >/dev/null 2>&1 || true
  [ -z "$display_pid" ] || kill "$display_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT INT TERM
n=100
while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 2400x1600x24 -nolisten tcp >/dev/null 2>&1 &
display_pid=$!
export DISPLAY=:$n WINEDEBUG=-all HOME=$work
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
shots=()
for dpi in "${dpis[@]}"; do
  export WINEPREFIX=$work/prefix
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f >/dev/null 2>&1
  wineserver -w
  wine "$exe" >/dev/null 2>&1 &
  window=
  for _ in $(seq 100); do
    window=$(xdotool search --name '^Tallowmere$' 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "no window at $dpi DPI" >&2; exit 1; }
  sleep 1.5
  import -window "$window" "$work/$dpi.png"
  shots+=("$work/$dpi.png")
  xdotool key --window "$window" alt+F4
  wineserver -w
done
convert "${shots[@]}" -background white -gravity north +append "$out"
echo "$out"
