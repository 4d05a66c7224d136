#!/usr/bin/env bash
# tallowmere-cli.exe writing into a pipe, under Wine (in scripts/wine-env.sh's setting).
#   wine_pipe_test.sh path/to/tallowmere-cli.exe
set -uo pipefail
exe=$1
failures=0
check() {
  if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAIL: $1: expected '$3', got '$2'"; failures=$((failures + 1)); fi
}
# é is in the ANSI code page (1252 here); it reaches the pipe as UTF-8, lines end in CR LF.
out=$(wine "$exe" -n 3 -l 4 --custom 'é' | od -An -c | tr -s ' \n' ' ')
check "three lines of é in UTF-8" "$out" " 303 251 303 251 303 251 303 251 \r \n 303 251 303 251 303 251 303 251 \r \n 303 251 303 251 303 251 303 251 \r \n "
# ā is not: a usage error naming it, nothing on standard output.
out=$(wine "$exe" --custom 'aā' 2>"$TALLOWMERE_SCRATCH/cli-error"); rc=$?
check "a character the code page lacks" "$rc:$out:$(tr -d '\r' <"$TALLOWMERE_SCRATCH/cli-error")" \
  "2::tallowmere-cli: --custom: \"ā\" is not a character of this system's code page"
exit $((failures > 0))
