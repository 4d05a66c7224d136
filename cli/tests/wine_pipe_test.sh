#!/usr/bin/env bash
# tallowmere-cli.exe writing into a pipe, under Wine (in scripts/wine-env.sh's setting).
#   wine_pipe_test.sh path/to/tallowmere-cli.exe path/to/planted_library.dll
set -uo pipefail
exe=$1 planted=$2
failures=0
check() {
  if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAIL: $1: expected '$3', got '$2'"; failures=$((failures + 1)); fi
}
# é is in the ANSI code page (1252 here); it reaches the pipe as UTF-8, lines end in CR LF.
out=$(wine "$exe" -n 3 -l 4 --custom 'é' | od -An -c | tr -s ' \n' ' ')
line=" 303 251 303 251 303 251 303 251 \r \n"
check "three lines of é in UTF-8" "$out" "$line$line$line "
# ā is not: a usage error naming it, nothing on standard output.
out=$(wine "$exe" --custom 'aā' 2>"$TALLOWMERE_SCRATCH/cli-error"); rc=$?
check "a character the code page lacks" "$rc:$out:$(tr -d '\r' <"$TALLOWMERE_SCRATCH/cli-error")" \
  "2::tallowmere-cli: --custom: \"ā\" is not a character of this system's code page"
# A bcrypt.dll beside the program, which Wine is told to prefer, is never loaded.
dir=$(mktemp -d "$TALLOWMERE_SCRATCH/cli-planted.XXXXXX")
cp "$exe" "$dir/tallowmere-cli.exe" && cp "$planted" "$dir/bcrypt.dll"
# (A planted library without the call the program wants would start the debugger: bounded.)
out=$(WINEDLLOVERRIDES=bcrypt=n,b timeout 30 wine "$dir/tallowmere-cli.exe" -l 20 | tr -d '\r\n' | wc -c)
check "the system's bcrypt, not the one beside it" "$out:$(ls "$dir" | tr '\n' ' ')" \
  "20:bcrypt.dll tallowmere-cli.exe "
rm -rf "$dir"
exit $((failures > 0))
