#!/usr/bin/env bash
# Two release builds of this checkout, in two different folders (another depth and name, another
# time zone and umask), must give byte-identical packages and the same Tallowmere.exe, with no
# trace of either folder in the program. Both are signed with a throwaway certificate, so that
# signing too is shown to give the same bytes, the signatures to verify and to come off again;
# the package managers' manifests must match their schemas and the packages. Takes a few
# minutes: two Release builds from scratch.
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
# A self-signed code-signing certificate, its own CA for verification.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Tallowmere throwaway" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
head -c 12 /dev/urandom | base64 >"$work/password"
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/sign.pfx" \
  -passout "file:$work/password"
export TALLOWMERE_SIGN_PFX=$work/sign.pfx TALLOWMERE_SIGN_PASSWORD_FILE=$work/password
(cd "$one" && bash scripts/release.sh >/dev/null)
(cd "$two" && umask 077 && TZ=Pacific/Auckland bash scripts/release.sh >/dev/null)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ "$(cd "$one/dist" && ls)" = "$(cd "$two/dist" && ls)" ] || fail "the two dist/ folders hold different files"
for file in build/release/app/Tallowmere.exe $(cd "$one" && find dist -type f | sort); do
  if cmp -s "$one/$file" "$two/$file"; then echo "ok: $file is the same"; else fail "$file differs"; fi
done
if grep -q -F -e "$one" -e "$two" -e "$work" "$one/build/release/app/Tallowmere.exe"; then
  fail "Tallowmere.exe holds a build folder's path"
fi
(cd "$one/dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not check"

# The signed program as the zip holds it, and the setup, verify; unsigned, the program is the
# build's own again.
unzip -p "$one"/dist/*-portable.zip '*/Tallowmere.exe' >"$work/signed.exe"
for file in "$work/signed.exe" "$one"/dist/*-setup.exe; do
  if osslsigncode verify -CAfile "$work/cert.pem" -in "$file" >"$work/verify.txt" 2>&1; then
    echo "ok: the signature of $(basename "$file") verifies"
  else
    cat "$work/verify.txt"
    fail "the signature of $(basename "$file") does not verify"
  fi
done
osslsigncode remove-signature -in "$work/signed.exe" -out "$work/unsigned.exe" >/dev/null || true
cmp -s "$work/unsigned.exe" "$one/build/release/app/Tallowmere.exe" ||
  fail "without its signature the zip's Tallowmere.exe is not the build's"
/usr/bin/python3 tests/check_manifests.py "$one/dist" || fail "the manifests do not check"
echo "$failures failure(s)"
[ $failures = 0 ]
