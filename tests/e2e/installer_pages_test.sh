#!/usr/bin/env bash
# The interactive setup driven with the keyboard alone: Enter on the welcome page, Enter on the
# directory page (its default folder), Enter on the finish page. With TALLOWMERE_SHOTS set, each
# page is saved there as a screenshot (docs/installer-directory.png comes from this).
#   installer_pages_test.sh path/to/setup.exe path/to/Tallowmere.exe   (in scripts/wine-env.sh's setting)
set -uo pipefail
setup=$1 exe=$2
shots=${TALLOWMERE_SHOTS:-}
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brindlecast'
folder="$WINEPREFIX/drive_c/Program Files/Brindlecast"
failures=0
check() {
  if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAIL: $1: expected '$3', got '$2'"; failures=$((failures + 1)); fi
}
shot() { [ -z "$shots" ] || import -window "$win" "$shots/installer-$1.png"; }
user_folder() {  # a per-user shell folder as a Linux path
  winepath -u "$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
    /v "$1" | tr -d '\r' | sed -n 's/.*REG_SZ *//p')" 2>/dev/null
}
clean() {
  wine reg delete "$entry" /f >/dev/null 2>&1
  rm -rf "$folder" "$(user_folder Programs)/Brindlecast" "$(user_folder Desktop)/Brindlecast.lnk"
}
registry_value() {
  wine reg query "$entry" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/.*$1 *REG_[A-Z_]* *//p"
}

clean
wine "$setup" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; clean' EXIT
win=$(timeout 60 xdotool search --sync --name '^Brindlecast Setup$' | head -1)
[ -n "$win" ] || { echo "FAIL: no setup window"; exit 1; }
xdotool windowfocus "$win" 2>/dev/null
sleep 1
shot welcome
xdotool key Return
sleep 1
shot directory
xdotool key Return
# The files land, then the finish page comes; Enter on it ends the setup.
for _ in $(seq 100); do [ -n "$(registry_value NoRepair)" ] && break; sleep 0.2; done
sleep 1
shot finish
for _ in $(seq 20); do
  kill -0 $pid 2>/dev/null || break
  xdotool key Return
  sleep 0.5
done
kill -0 $pid 2>/dev/null && { echo "FAIL: the setup is still open"; exit 1; }
wait $pid
check "the setup ends with exit code 0" $? 0
check "the default folder holds the program" "$(cmp "$folder/Tallowmere.exe" "$exe" 2>&1 && echo same)" same
check "the entry names the default folder" "$(registry_value InstallLocation)" 'C:\Program Files\Brindlecast'
echo "$failures failure(s)"
[ $failures = 0 ]
