#!/usr/bin/env bash
# Runs a Windows executable under Wine for ctest. Wine's output goes to a file first: the
# explorer.exe that every GUI process starts inherits our pipe and would hold ctest ~1 s per test.
set -u
export WINEDEBUG=${WINEDEBUG:--all}
log=$(mktemp)
wine "$@" >"$log" 2>&1
rc=$?
grep -v -e 'syswow64\\rundll32.exe' -e '^wine: ' "$log" || true
# Wine's own lines say why a program did not start at all: kept when it failed.
[ "$rc" -eq 0 ] || grep -e '^wine: ' "$log" >&2 || true
rm -f "$log"
exit $rc
