#!/usr/bin/env bash
# The interactive setup driven with the keyboard alone: Enter on the welcome page, Enter on the
# directory page (its default folder), Enter on the finish page, whose checked "Start" box starts
# the program, which is then closed. With TALLOWMERE_SHOTS set, each page is saved there as a
# screenshot (docs/installer-directory.png comes from this).
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
# The program's visible main window: caption "Tallowmere", owned by Tallowmere.exe (Wine names the
# X window's class after the executable; the Win32 class is not visible from here).
program_window() {
  for w in $(xdotool search --onlyvisible --classname '^tallowmere\.exe$' 2>/dev/null); do
    [ "$(xdotool getwindowname "$w")" = Tallowmere ] && echo "$w"
  done
}
registry_value() {
  wine reg query "$entry" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/.*$1 *REG_[A-Z_]* *//p"
}

clean
# The started program writes its options on closing: leave them as they were for later tests.
appdata=$(user_folder AppData)
[ -n "$appdata" ] || { echo "FAIL: no AppData folder"; exit 1; }
settings_dir=$appdata/Quorvel
saved=$(mktemp -d)
[ -d "$settings_dir" ] && cp -a "$settings_dir" "$saved/"
restore() {
  for w in $(program_window); do kill "$(xdotool getwindowpid "$w")" 2>/dev/null; done
  rm -rf "$settings_dir"
  [ -d "$saved/Quorvel" ] && cp -a "$saved/Quorvel" "$settings_dir"
  rm -rf "$saved"
}
wine "$setup" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; restore; clean' EXIT
win=$(timeout 60 xdotool search --sync --name '^Brindlecast Setup$' | head -1)
[ -n "$win" ] || { echo "FAIL: no setup window"; exit 1; }
xdotool windowfocus "$win" 2>/dev/null
sleep 1
shot welcome
xdotool key Return
sleep 1
shot directory
xdotool key Return
# The files land, then the finish page comes; Enter on it ends the setup and starts the program
# (no more Enter once its window is there: that would reach the program).
for _ in $(seq 100); do [ -n "$(registry_value NoRepair)" ] && break; sleep 0.2; done
sleep 1
shot finish
for _ in $(seq 20); do
  kill -0 $pid 2>/dev/null || break
  [ -z "$(program_window)" ] && xdotool key Return
  sleep 0.5
done
kill -0 $pid 2>/dev/null && { echo "FAIL: the setup is still open"; exit 1; }
wait $pid
check "the setup ends with exit code 0" $? 0
check "the default folder holds the program" "$(cmp "$folder/Tallowmere.exe" "$exe" 2>&1 && echo same)" same
check "the entry names the default folder" "$(registry_value InstallLocation)" 'C:\Program Files\Brindlecast'
for _ in $(seq 50); do app=$(program_window); [ -n "$app" ] && break; sleep 0.2; done
check "the finish page started the program" "$([ -n "$app" ] && xdotool getwindowname "$app")" Tallowmere
if [ -n "$app" ]; then
  xdotool windowfocus "$app" 2>/dev/null
  xdotool key alt+F4
  for _ in $(seq 50); do [ -z "$(program_window)" ] && break; sleep 0.2; done
  check "the program closes" "$(program_window)" ""
fi
echo "$failures failure(s)"
[ $failures = 0 ]
