#!/usr/bin/env bash
# Sourced by the test script, inside scripts/private-run.sh: what the Windows tests run in, all of
# it the run's own and inside its scratch folder. wine_env_start starts a virtual display, a CUPS
# server with the default printer "PDF" (scripts/printer.sh) and a throw-away Wine prefix with a
# fast persistent wineserver and no window-manager delays; wine_env_stop ends them again.
: "${TALLOWMERE_SCRATCH:?run under scripts/private-run.sh}"
source "$(dirname "${BASH_SOURCE[0]}")/run-helpers.sh"
export WINEDEBUG=-all
export WINEPREFIX=$TALLOWMERE_SCRATCH/wineprefix
export TALLOWMERE_PRINTER=$TALLOWMERE_SCRATCH/printer
export CUPS_SERVER=$TALLOWMERE_PRINTER/cups.sock
export LANG=C.UTF-8 LC_ALL=C.UTF-8
printer_pid=""

wine_env_start() {
  # Always a display of our own: the tests type and click, and must not do it on someone's desktop.
  virtual_display_start
  bash "$(dirname "${BASH_SOURCE[0]}")/printer.sh" serve &
  printer_pid=$!
  bash "$(dirname "${BASH_SOURCE[0]}")/printer.sh" add-queue
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    # No window manager: let Wine manage the windows itself, so hiding or destroying one is instant.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\International' /v sThousand /d , /f >/dev/null 2>&1
    # The list and the printout use "Courier New"; its metric twin stands in for it here.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if [ -n "$printer_pid" ]; then
    kill "$printer_pid" 2>/dev/null || true
    wait "$printer_pid" 2>/dev/null || true
    printer_pid=""
  fi
  virtual_display_stop
}
