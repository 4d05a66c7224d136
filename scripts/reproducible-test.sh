#!/usr/bin/env bash
# Two release builds of this checkout, in two different folders (another depth and name, another
# time zone and umask), must give byte-identical packages and the same Tallowmere.exe, with no
# trace of either folder in the program. Takes a few minutes: two Release builds from scratch.
set -euo pipefail
cd "$(dirname "$0")/.."
SOURCE_DATE_EPOCH=$(bash scripts/source-date.sh)
export SOURCE_DATE_EPOCH
work=$(mktemp -d "${TMPDIR:-/tmp}/tallowmere-repro.XXXXXX")
trap 'rm -rf "$work"' EXIT
one=$work/one/Tallowmere
two=$work/elsewhere/deeper/tlm-src
for dir in "$one" "$two"; do
  mkdir -p "$dir"
  if [ -e .git ]; then
    git ls-files -z --cached --others --exclude-standard |
      tar --null -T - --ignore-failed-read -cf - 2>/dev/null
  else  # a source archive: all of it but what builds leave
    tar --exclude=./build --exclude=./dist -cf - .
  fi | tar -xf - -C "$dir"
done
(cd "$one" && bash scripts/release.sh >/dev/null)
(cd "$two" && umask 077 && TZ=Pacific/Auckland bash scripts/release.sh >/dev/null)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ "$(cd "$one/dist" && ls)" = "$(cd "$two/dist" && ls)" ] || fail "the two dist/ folders hold different files"
for file in build/release/app/Tallowmere.exe $(cd "$one" && ls dist/*); do
  if cmp -s "$one/$file" "$two/$file"; then echo "ok: $file is the same"; else fail "$file differs"; fi
done
if grep -q -F -e "$one" -e "$two" -e "$work" "$one/build/release/app/Tallowmere.exe"; then
  fail "Tallowmere.exe holds a build folder's path"
fi
(cd "$one/dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not check"
echo "$failures failure(s)"
[ $failures = 0 ]
