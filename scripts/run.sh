#!/usr/bin/env bash
# Builds Tallowmere.exe and starts it under Wine (Linux); on Windows, see the README. It runs in
# your usual Wine prefix (WINEPREFIX, else ~/.wine), so its options stay from one run to the next;
# it prints where their file is.
# Without a display (DISPLAY unset) it starts a virtual screen of its own, saves a screenshot once
# the main window shows and prints its path. Ctrl+C closes the program; when the program ends,
# the screen and every process the run started end with it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tallowmere
export WINEDEBUG=-all
exe=build/windows/app/Tallowmere.exe
shot=$PWD/build/windows/main-window.png
source scripts/run-helpers.sh

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  app=""
  finish() {
    trap '' INT TERM HUP
    if [ -n "$app" ] && kill -0 "$app" 2>/dev/null; then
      # Closed as by its close box, so that it saves its options; killed if it does not close.
      wine taskkill /im Tallowmere.exe >/dev/null 2>&1 || true
      for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
      kill "$app" 2>/dev/null || true
    fi
    [ -z "$app" ] || wait "$app" 2>/dev/null || true
    # Wine's desktop and services end a few seconds after the prefix's last program.
    [ -z "${TALLOWMERE_RUN:-}" ] || end_run_processes "$TALLOWMERE_RUN" 15 || true
    virtual_display_stop
  }
  trap finish EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  trap 'exit 129' HUP
  virtual_display_start
  echo "No DISPLAY: Tallowmere runs on a virtual screen of its own ($DISPLAY)." >&2
  # What this run starts from here on carries its mark, so that it ends what it started and
  # nothing else (the prefix's wineserver may also serve other programs of yours).
  export TALLOWMERE_RUN=run.sh-$$-$(date +%s%N)
fi

# The list uses "Courier New"; its metric twin stands in for it under Wine.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f >/dev/null 2>&1 || true
# The program keeps its options in the AppData shell folder (framework/core/Product.h names them).
define() { sed -n "s/^#define $1 \"\(.*\)\"/\1/p" framework/core/Product.h; }
appdata=$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
  /v AppData 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p' || true)
folder=$(define TALLOWMERE_SETTINGS_FOLDER)
settings="${appdata:-%APPDATA%}\\$folder\\$(define TALLOWMERE_SETTINGS_FILE)"
if [ -n "$appdata" ] && linux=$(winepath -u "$settings" 2>/dev/null); then
  settings=$(realpath -m "$linux")  # through drive_c rather than dosdevices/c:
fi
echo "Options file of this run: $settings" >&2

if [ $headless = 0 ]; then
  exec wine "$exe" "$@"
fi

wine "$exe" "$@" &
app=$!
# Its main window: the visible one of this process captioned "Tallowmere" (a prefix made just
# now takes a while first).
window=""
for _ in $(seq 1200); do
  kill -0 "$app" 2>/dev/null || break
  window=$(xdotool search --onlyvisible --pid "$app" --name '^Tallowmere$' 2>/dev/null |
    head -1) || true
  [ -z "$window" ] || break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "Tallowmere ended or showed no main window within two minutes." >&2
  exit 1
fi
sleep 1  # let it paint
import -window root "$shot"
echo "Screenshot: $shot"
echo "Tallowmere is running; Ctrl+C closes it." >&2
status=0
wait "$app" || status=$?
app=""
exit $status
