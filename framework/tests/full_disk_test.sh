#!/usr/bin/env bash
# A full disk while saving, played by a file-size limit on the saving process (ulimit -f, with
# the limit's signal ignored so the write just comes up short): the save must report
# "Stream write error", leave the old file whole and leave no temporary file behind. With the
# signal left alone, the limit kills the process in the middle of its write instead.
#   full_disk_test.sh path/to/SaveTool.exe
set -uo pipefail
tool=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
dir=$(mktemp -d "${TMPDIR:-/tmp}/tlm-full-disk.XXXXXX")
trap 'rm -rf "$dir"' EXIT
failures=0
check() {
  if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAIL: $1: expected '$3', got '$2'"; failures=$((failures + 1)); fi
}
save_limited() {  # KB limit, bytes to save
  (trap '' XFSZ; ulimit -f "$1"; bash "$here/scripts/wine-run.sh" "$tool" "Z:${dir//\//\\}\\list.txt" "$2") | tr -d '\r'
}

printf 'old passwords\r\n' >"$dir/list.txt"
killed=$(ulimit -f 64; bash "$here/scripts/wine-run.sh" "$tool" "Z:${dir//\//\\}\\list.txt" 200000 &>/dev/null; echo $?)
check "a save over the limit is killed half-way" "$killed" $((128 + $(kill -l XFSZ)))
check "a save larger than the disk's room fails" "$(save_limited 64 200000)" "Stream write error"
check "the old file is whole" "$(cat "$dir/list.txt")" $'old passwords\r'
# Also the killed save's file: Wine had buried that process before it ran the next.
check "no temporary file is left" "$(ls "$dir")" "list.txt"

check "a save that fits goes through" "$(save_limited 64 2000)" ""
check "the new file holds the text" "$(wc -c <"$dir/list.txt")" 2000
check "no temporary file is left" "$(ls "$dir")" "list.txt"

echo "$failures failure(s)"
[ $failures = 0 ]
