#!/usr/bin/env bash
# Builds the release from scratch into dist/: Tallowmere-<version>-setup.exe,
# Tallowmere-<version>-portable.zip, SHA256SUMS, and the package managers' manifests in
# dist/winget/ and dist/scoop/. The same commit gives the same bytes in any folder: file times come
# from the commit's date (SOURCE_DATE_EPOCH, when not set already; a fixed date without git
# history).
# Signed: TALLOWMERE_SIGN_PFX=<certificate.pfx> TALLOWMERE_SIGN_PASSWORD_FILE=<its password's file>
# (optional: TALLOWMERE_SIGN_TIMESTAMP_URL); see installer/package.sh.
set -euo pipefail
# The packaging runs in the build folder: the certificate's paths as the caller meant them.
for var in TALLOWMERE_SIGN_PFX TALLOWMERE_SIGN_PASSWORD_FILE; do
  if [ -n "${!var:-}" ]; then
    [ -r "${!var}" ] || { echo "$var: cannot read ${!var}" >&2; exit 1; }
    export "$var=$(realpath "${!var}")"
  fi
done
cd "$(dirname "$0")/.."
bash scripts/deps.sh
SOURCE_DATE_EPOCH=$(bash scripts/source-date.sh)
export SOURCE_DATE_EPOCH
rm -rf build/release dist
cmake --preset release >/dev/null
cmake --build --preset release
cat dist/SHA256SUMS
find dist/winget dist/scoop -type f | sort
