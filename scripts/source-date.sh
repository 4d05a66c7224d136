#!/usr/bin/env bash
# Prints the release's file date in seconds since 1970: SOURCE_DATE_EPOCH when set, else the date
# of this tree's last commit. A tree without history of its own (a source archive, even one
# unpacked inside another repository) gets a fixed date, which still gives the same bytes every
# time; stderr says so.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  echo "$SOURCE_DATE_EPOCH"
elif [ "$(git -C "$root" rev-parse --show-toplevel 2>/dev/null)" = "$root" ]; then
  git -C "$root" log -1 --format=%ct
else
  echo "no git history in $root: file times are 1980-01-01 (set SOURCE_DATE_EPOCH)" >&2
  echo 315532800
fi
