#!/usr/bin/env bash
# Sourced by the run and test scripts: a display (Xvfb), a throw-away Wine prefix with a fast
# persistent wineserver and no window-manager delays, HOME pointed at a scratch folder.
# Call wine_env_stop when done.
: "${TALLOWMERE_SCRATCH:=$(mktemp -d /tmp/tallowmere.XXXXXX)}"
export TALLOWMERE_SCRATCH
export WINEDEBUG=-all
export WINEPREFIX=${WINEPREFIX_OVERRIDE:-$TALLOWMERE_SCRATCH/wineprefix}
export HOME=$TALLOWMERE_SCRATCH/home
export LANG=C.UTF-8 LC_ALL=C.UTF-8
mkdir -p "$HOME"

wine_env_start() {
  if [ -z "${DISPLAY:-}" ]; then
    local n=90
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
  fi
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
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
