#!/usr/bin/env bash
# tallowmere-cli.exe into a pipe under Wine (scripts/wine-env.sh's setting). Args: the exe, a DLL.
set -uo pipefail
exe=$1 planted=$2 failures=0 err=$TALLOWMERE_SCRATCH/cli-error
check() { [ "$2" = "$3" ] && echo "ok: $1" || { echo "FAIL: $1: expected '$3', got '$2'"; failures=1; }; }
# é is in the ANSI code page (1252 here); it reaches the pipe as UTF-8, lines end in CR LF.
line=" 303 251 303 251 303 251 303 251 \r \n"
check "three lines of é in UTF-8" "$(wine "$exe" -n 3 -l 4 --custom é 2>"$err" | od -An -c | tr -s ' \n' ' ')" \
  "$line$line$line "
# ā is not: a usage error naming it, nothing on standard output.
out=$(wine "$exe" --custom 'aā' 2>"$err"); rc=$?
check "a character the code page lacks" "$rc:$out:$(tr -d '\r' <"$err")" \
  "2::tallowmere-cli: --custom: \"ā\" is not a character of this system's code page"
# A bcrypt.dll beside the program, which Wine is told to prefer, is never loaded. (Loaded, it
# lacks the call the program wants: no debugger then, which would wait.)
dir=$(mktemp -d "$TALLOWMERE_SCRATCH/cli-planted.XXXXXX")
cp "$exe" "$dir/tallowmere-cli.exe" && cp "$planted" "$dir/bcrypt.dll"
out=$(WINEDLLOVERRIDES='bcrypt=n,b;winedbg.exe=d' wine "$dir/tallowmere-cli.exe" -l 20 2>"$err" | tr -d '\r\n' | wc -c)
check "the system's bcrypt, not the one beside it" "$out:$(ls "$dir" | tr '\n' ' ')" \
  "20:bcrypt.dll tallowmere-cli.exe "
rm -rf "$dir"
exit $failures
