#!/usr/bin/env bash
# Makes the release packages from a built Tallowmere.exe: the setup (makensis), the portable zip and
# SHA256SUMS. Same input, same bytes: every file time is SOURCE_DATE_EPOCH (default: the commit's
# date), zip entries go in sorted order with no extra fields, and times are taken in UTC.
#   package.sh <Tallowmere.exe> <version> <work folder> <dist folder> <TakeBack.dll>
set -euo pipefail
exe=$1 version=$2 work=$3 dist=$4 plugin=$5
here=$(cd "$(dirname "$0")" && pwd)
SOURCE_DATE_EPOCH=$(bash "$here/../scripts/source-date.sh")
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C
umask 022
name=Tallowmere-$version
rm -rf "$work"
mkdir -p "$work/setup" "$work/plugins/amd64-unicode" "$work/portable/$name" "$dist"

# Setup: the exe as it will be installed, with the commit's time (SetDateSave keeps it).
cp "$exe" "$work/setup/Tallowmere.exe"
touch -d "@$SOURCE_DATE_EPOCH" "$work/setup/Tallowmere.exe"
cp "$plugin" "$work/plugins/amd64-unicode/TakeBack.dll"
makensis -V2 -INPUTCHARSET UTF8 "-DVERSION=$version" "-DNAMES=$here/../framework/core/Product.h" \
  "-DPLUGINS=$work/plugins" \
  "-DSTAGE=$work/setup" "-DICON=$here/../resources/MAINICON.ico" \
  "-DOUTFILE=$dist/$name-setup.exe" "$here/Tallowmere.nsi"

# Portable zip: one folder with the exe, a short text and the install.txt that /uninstall reads.
p=$work/portable/$name
cp "$exe" "$p/Tallowmere.exe"
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$here/portable-readme.txt" >"$p/README.txt"
printf 'Tallowmere.exe\r\nREADME.txt\r\ninstall.txt\r\n' >"$p/install.txt"
chmod 644 "$p"/*
touch -d "@$SOURCE_DATE_EPOCH" "$p"/*
rm -f "$dist/$name-portable.zip"
(cd "$work/portable" && find "$name" -type f | sort | zip -q -X -D -9 "$dist/$name-portable.zip" -@)

(cd "$dist" && sha256sum "$name-setup.exe" "$name-portable.zip" >SHA256SUMS)
