#!/usr/bin/env bash
# Makes the release packages from a built Tallowmere.exe: the setup (makensis), the portable zip,
# SHA256SUMS and the package managers' manifests (manifests.sh). Same input, same bytes: every file time is SOURCE_DATE_EPOCH (default: the commit's
# date), zip entries go in sorted order with no extra fields, and times are taken in UTC.
#   package.sh <Tallowmere.exe> <version> <work folder> <dist folder> <TakeBack.dll> <tallowmere-cli.exe>
# With TALLOWMERE_SIGN_PFX (a PKCS#12 file) and TALLOWMERE_SIGN_PASSWORD_FILE set, the program and
# the setup's plugin are signed before they are packed, and the setup after it is made. The
# signing time is SOURCE_DATE_EPOCH, so that one commit signed with one (RSA) certificate gives
# the same bytes again; TALLOWMERE_SIGN_TIMESTAMP_URL adds a timestamp server's countersignature
# (and with it the time of signing).
set -euo pipefail
exe=$1 version=$2 work=$3 dist=$4 plugin=$5 cli=$6
here=$(cd "$(dirname "$0")" && pwd)
SOURCE_DATE_EPOCH=$(bash "$here/../scripts/source-date.sh")
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C
umask 022
name=Tallowmere-$version
homepage=$(sed -n 's/^#define TALLOWMERE_HOMEPAGE "\(.*\)"/\1/p' "$here/../framework/core/Product.h")
sign() {
  [ -n "${TALLOWMERE_SIGN_PFX:-}" ] || return 0
  local timestamp=()
  [ -z "${TALLOWMERE_SIGN_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$TALLOWMERE_SIGN_TIMESTAMP_URL")
  osslsigncode sign -pkcs12 "$TALLOWMERE_SIGN_PFX" -readpass "$TALLOWMERE_SIGN_PASSWORD_FILE" \
    -h sha256 -n "$2" -i "$homepage" -time "$SOURCE_DATE_EPOCH" "${timestamp[@]}" \
    -in "$1" -out "$1.signed" >/dev/null
  mv "$1.signed" "$1"
}
if [ -n "${TALLOWMERE_SIGN_PFX:-}" ] && [ -z "${TALLOWMERE_SIGN_PASSWORD_FILE:-}" ]; then
  echo "TALLOWMERE_SIGN_PFX is set but TALLOWMERE_SIGN_PASSWORD_FILE is not" >&2
  exit 1
fi
rm -rf "$work"
mkdir -p "$work/setup" "$work/plugins/amd64-unicode" "$work/portable/$name" "$dist"

# Setup: the exe as it will be installed, with the commit's time (SetDateSave keeps it).
cp "$exe" "$work/setup/Tallowmere.exe"
# The credits of what the program holds from others, as Windows text.
sed -e 's/$/\r/' "$here/../NOTICE" >"$work/setup/NOTICE.txt"
touch -d "@$SOURCE_DATE_EPOCH" "$work/setup/NOTICE.txt"
sign "$work/setup/Tallowmere.exe" Tallowmere
cp "$cli" "$work/setup/tallowmere-cli.exe"
sign "$work/setup/tallowmere-cli.exe" "Tallowmere command line"
touch -d "@$SOURCE_DATE_EPOCH" "$work/setup/Tallowmere.exe" "$work/setup/tallowmere-cli.exe"
cp "$plugin" "$work/plugins/amd64-unicode/TakeBack.dll"
sign "$work/plugins/amd64-unicode/TakeBack.dll" "Tallowmere setup"
makensis -V2 -INPUTCHARSET UTF8 "-DVERSION=$version" "-DNAMES=$here/../framework/core/Product.h" \
  "-DPLUGINS=$work/plugins" \
  "-DSTAGE=$work/setup" "-DICON=$here/../resources/MAINICON.ico" \
  "-DOUTFILE=$dist/$name-setup.exe" "$here/Tallowmere.nsi"
sign "$dist/$name-setup.exe" "Tallowmere setup"

# Portable zip: one folder with the exe, a short text, the credits and the install.txt that
# /uninstall reads.
p=$work/portable/$name
cp "$work/setup/Tallowmere.exe" "$work/setup/tallowmere-cli.exe" "$p/"
cp "$work/setup/NOTICE.txt" "$p/NOTICE.txt"
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$here/portable-readme.txt" >"$p/README.txt"
printf 'Tallowmere.exe\r\ntallowmere-cli.exe\r\nREADME.txt\r\nNOTICE.txt\r\ninstall.txt\r\n' >"$p/install.txt"
chmod 644 "$p"/*
touch -d "@$SOURCE_DATE_EPOCH" "$p"/*
rm -f "$dist/$name-portable.zip"
(cd "$work/portable" && find "$name" -type f | sort | zip -q -X -D -9 "$dist/$name-portable.zip" -@)

(cd "$dist" && sha256sum "$name-setup.exe" "$name-portable.zip" >SHA256SUMS)
bash "$here/manifests.sh" "$version" "$dist"
