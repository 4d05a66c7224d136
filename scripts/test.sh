#!/usr/bin/env bash
# Builds both configurations from scratch and runs every test tier (scripts/test-tiers.sh) as a
# private run (scripts/private-run.sh): its display, printer server, Wine prefix and temporary
# files are its own and gone when it ends, also on failure or Ctrl+C, so that two runs can share
# a machine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
exec bash scripts/private-run.sh bash scripts/test-tiers.sh
