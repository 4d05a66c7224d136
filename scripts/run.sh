#!/usr/bin/env bash
# Builds Tallowmere.exe and starts it under Wine (Linux); on Windows, see the README. It runs in
# your usual Wine prefix (WINEPREFIX, else ~/.wine), so its options stay from one run to the next;
# it prints where their file is.
# Without a display (DISPLAY unset) it starts a virtual screen of its own and saves a screenshot,
# a file of this run's own, once the main window shows. Ctrl+C closes the program as its close box
# would, so that it saves its options, and waits for it to end; when the program ends, the screen
# and every process the run started end with it. Other copies of the program are left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tallowmere
export WINEDEBUG=-all
exe=build/windows/app/Tallowmere.exe
shot=$PWD/build/windows/main-window-$(date +%Y%m%d-%H%M%S)-$$.png
source scripts/run-helpers.sh

# The program and the virtual screen run in sessions of their own: Ctrl+C in the terminal reaches
# this script alone, which closes the program first and the screen after it.
app="" window=""
main_window() {
  xdotool search --onlyvisible --pid "$app" --name '^Tallowmere$' 2>/dev/null | head -1 || true
}
# The Wine processes of this run's prefix, one a line: pid|its run mark|its display|its command.
prefix_processes() {
  local prefix pid env own
  prefix=$(realpath -m "${WINEPREFIX:-$HOME/.wine}")
  for pid in $(pgrep -f 'wineserver|\.exe' || true); do
    [[ $(readlink "/proc/$pid/exe" 2>/dev/null) == *wine* ]] || continue
    env=$(tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null) || continue
    own=$(sed -n 's/^WINEPREFIX=//p' <<<"$env")
    [ -n "$own" ] || own=$(sed -n 's/^HOME=//p' <<<"$env")/.wine
    [ "$(realpath -m "$own")" = "$prefix" ] || continue
    echo "$pid|$(sed -n 's/^TALLOWMERE_RUN=//p' <<<"$env")|$(sed -n 's/^DISPLAY=//p' <<<"$env")|$(tr '\0' ' ' <"/proc/$pid/cmdline")"
  done
}
finish() {
  trap '' INT TERM HUP
  if [ -n "$app" ] && kill -0 "$app" 2>/dev/null; then
    [ -n "$window" ] || window=$(main_window)
    [ -z "$window" ] || /usr/bin/python3 scripts/close-window.py "$window" || true
    for _ in $(seq 150); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    if kill "$app" 2>/dev/null; then
      echo "Tallowmere did not close within 15 seconds (a dialog open?): ended it." >&2
    fi
  fi
  [ -z "$app" ] || wait "$app" 2>/dev/null || true
  # Only a run without a display marks what it starts (below): a mark it inherited is not its own.
  [ -n "${VIRTUAL_DISPLAY_PID:-}" ] || return 0
  # A Wine program of someone else's uses the server and desktop this run started (the desktop on
  # this run's screen): they stay until it ends.
  if prefix_processes | grep -v "^[0-9]*|$TALLOWMERE_RUN|" | grep -q '\.exe'; then
    echo "Other Wine programs use this prefix: its Wine server and this run's screen ($DISPLAY) stay for them." >&2
    return
  fi
  # Wine's desktop and services end a few seconds after the prefix's last program.
  end_run_processes "$TALLOWMERE_RUN" 15 || true
  virtual_display_stop
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# A prefix's desktop (Wine's explorer, also its clipboard) lives on the screen of the run that
# started its server: when a run without a display ends, that screen and server go, and every
# program of the prefix with them.
other=$(prefix_processes | grep '^[0-9]*|run\.sh-[^|]*|[^|]*|.*explorer\.exe' | head -1 || true)
if [ -n "$other" ]; then
  echo "Another run without a display uses this Wine prefix (its screen $(cut -d'|' -f3 <<<"$other")):" \
    "its end would end this program too. Close it first, or use another WINEPREFIX." >&2
  exit 1
fi
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
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

# Not a process group leader, so setsid starts it in place: $! is the program's own process.
setsid wine "$exe" "$@" &
app=$!
# Its main window: the visible one of this process captioned "Tallowmere" (a prefix made just
# now takes a while first).
for _ in $(seq 1200); do
  kill -0 "$app" 2>/dev/null || break
  window=$(main_window)
  [ -z "$window" ] || break
  sleep 0.1
done
if [ -z "$window" ] && ! kill -0 "$app" 2>/dev/null; then
  echo "Tallowmere ended before its main window showed." >&2
  exit 1
elif [ -z "$window" ]; then
  # On a display of yours it may be the search that fails (Ctrl+C looks again).
  echo "Tallowmere showed no main window within two minutes." >&2
  [ $headless = 0 ] || exit 1
elif [ $headless = 1 ]; then
  sleep 1  # let it paint
  import -window root "$shot"
  echo "Screenshot: $shot"
fi
echo "Tallowmere is running; Ctrl+C closes it." >&2
status=0
wait "$app" || status=$?
app=""
exit $status
