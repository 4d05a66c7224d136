#!/usr/bin/env bash
# Prints through the real spooler to the "PDF" printer of the run's own CUPS server
# (scripts/printer.sh, folder $TALLOWMERE_PRINTER) and checks the files that land: one job per
# print, titled "Passwords list", Courier-compatible 10 point text over the whole printable area,
# the right page count; then the message when there is no default printer. Without a server of the
# run (ctest run by hand) it starts one of its own for its length.
#   printing_test.sh path/to/PrintTool.exe
set -uo pipefail
tool=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
printer() { bash "$here/scripts/printer.sh" "$@"; }
run() { bash "$here/scripts/wine-run.sh" "$tool" "$@"; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { if [ "$2" = "$3" ]; then echo "ok: $1"; else fail "$1: expected '$3', got '$2'"; fi; }

own_server=""
if [ -z "${TALLOWMERE_PRINTER:-}" ]; then
  export TALLOWMERE_PRINTER
  TALLOWMERE_PRINTER=$(mktemp -d "${TMPDIR:-/tmp}/tallowmere-printer.XXXXXX")
  bash "$here/scripts/printer.sh" serve &  # not through printer(): $! is then cupsd itself
  own_server=$!
fi
export CUPS_SERVER=$TALLOWMERE_PRINTER/cups.sock
pdf_dir=$TALLOWMERE_PRINTER/pdf
lpstat -d 2>/dev/null | grep -q ': PDF$' || printer add-queue
made=()
cleanup() {
  if [ -n "$own_server" ]; then
    kill "$own_server"
    wait "$own_server"
    rm -rf "$TALLOWMERE_PRINTER"
  else
    printer add-queue
    for f in "${made[@]}"; do rm -f "$f"; done
  fi
}
trap cleanup EXIT

jobs_now() { ls "$pdf_dir"/*Passwords_list*.pdf 2>/dev/null | sort; }

# Jobs of earlier programs (other tests print too) must land before we take stock.
wait_idle() {
  for _ in $(seq 50); do [ -z "$(lpstat -o 2>/dev/null)" ] && break; sleep 0.2; done
  sleep 0.5
}

# Runs the tool and sets $job to the one new PDF (the file lands shortly after the process ends).
print_job() {
  local before after new
  wait_idle
  before=$(jobs_now)
  run "$@" || { fail "print tool $*: exit $?"; job=""; return; }
  for _ in $(seq 100); do
    after=$(jobs_now)
    [ "$after" != "$before" ] && break
    sleep 0.2
  done
  sleep 1  # a second job from the same print would land by now
  new=$(comm -13 <(echo "$before") <(jobs_now) | grep -v '^$')
  made+=($new)
  check "$* gives one job" "$(echo "$new" | grep -c .)" 1
  job=$(echo "$new" | head -1)
}

info() { pdfinfo "$job" | sed -n "s/^$1: *//p"; }
# Text as poppler gives it, with the soft hyphen it makes of "-" turned back.
text() { pdftotext "$@" "$job" - | sed 's/\xc2\xad/-/g'; }

# An empty list: one blank page.
print_job empty
if [ -n "$job" ]; then
  check "empty list: title" "$(info Title)" "Passwords list"
  check "empty list: pages" "$(info Pages)" 1
  check "empty list: no text" "$(text | tr -d ' \n\f')" ""
fi

# A long list: every line in order, pages full but the last, in Courier's metrics at 10 point.
n=200
print_job numbered $n
if [ -n "$job" ]; then
  check "long list: title" "$(info Title)" "Passwords list"
  printf 'line %04d ABCDEFGHIJKLMNOPQRSTUVWXYZ\n' $(seq $n) >"$pdf_dir/.expected.$$"
  text -layout | tr -d '\f' | grep -a 'line ' | sed 's/ *$//' >"$pdf_dir/.got.$$"
  check "long list: all lines in order" "$(cmp -s "$pdf_dir/.expected.$$" "$pdf_dir/.got.$$" && echo same)" same
  rm -f "$pdf_dir/.expected.$$" "$pdf_dir/.got.$$"
  per_page=$(text -f 1 -l 1 | grep -c 'line ')
  pages=$(info Pages)
  check "long list: pages for $per_page rows a page" "$pages" $(((n + per_page - 1) / per_page))
  # A4 at 10 point: about 842 / 11.5 rows.
  [ "$per_page" -ge 60 ] && [ "$per_page" -le 80 ] && echo "ok: $per_page rows a page" ||
    fail "rows a page: $per_page"
  pdffonts "$job" | grep -Eqi 'LiberationMono|Courier' && echo "ok: Courier-compatible font" ||
    fail "font: $(pdffonts "$job" | tail -n +3)"
  # Words' boxes: 26 letters of a 10 point Courier are 156 points wide; the first row starts at
  # the printable area's left edge (the whole page on this printer).
  bbox=$(text -f 1 -l 1 -bbox | grep -m1 '>ABCDEFGHIJKLMNOPQRSTUVWXYZ<')
  x0=$(echo "$bbox" | sed 's/.*xMin="\([0-9.]*\)".*/\1/')
  x1=$(echo "$bbox" | sed 's/.*xMax="\([0-9.]*\)".*/\1/')
  width=$(awk -v a="$x0" -v b="$x1" 'BEGIN { printf "%d", (b - a) / 26 * 100 / 6 + 0.5 }')
  [ "$width" -ge 95 ] && [ "$width" -le 105 ] && echo "ok: point size ~10 (${width}% of 10 pt)" ||
    fail "point size: letters ${width}% of a 10 point Courier"
  first=$(text -f 1 -l 1 -bbox | grep -m1 '>line<' | sed 's/.*xMin="\([0-9.]*\)".*/\1/')
  check "long list: rows start at the printable edge" "${first%%.*}" 0
fi

# A line wider than the page wraps at the printable width and loses nothing.
print_job wide
if [ -n "$job" ]; then
  rows=$(text -layout | grep -c W)
  total=$(text -layout | tr -cd W | wc -c)
  check "wide line: all characters printed" "$total" 300
  [ "$rows" -ge 2 ] && echo "ok: wide line wraps into $rows rows" || fail "wide line rows: $rows"
fi

# No default printer: the message, and nothing printed.
wait_idle
printer remove-queue
before=$(jobs_now)
message=$(run empty | tr -d '\r')
check "no printer: message" "$message" "There is no default printer currently selected"
sleep 1
check "no printer: nothing printed" "$(jobs_now)" "$before"
printer add-queue

echo "$failures failure(s)"
[ $failures = 0 ]
