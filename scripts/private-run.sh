#!/usr/bin/env bash
# Runs a command as a private run, so that runs started at the same time on one machine keep out
# of each other's way. The command gets a scratch folder of its own, TALLOWMERE_SCRATCH, which is
# also its TMPDIR and HOME (Wine's server folder and the prefix's Desktop, Documents... follow), and
# carries the run's mark (scripts/run-helpers.sh). When it ends, also on failure or on Ctrl+C or
# kill -INT / -TERM of this script, every process of the run is ended (the command's own, the
# display, printer server and Wine processes it started) and the folder is removed.
#   private-run.sh command [argument...]
set -uo pipefail
source "$(dirname "$0")/run-helpers.sh"
scratch=$(mktemp -d /tmp/tallowmere.XXXXXX) || exit 1
# The printer's filters run as user lp and must be able to pass through to its spool folder.
chmod 711 "$scratch"
mkdir "$scratch/tmp" "$scratch/home"

body=""
finish() {
  trap '' INT TERM HUP
  end_run_processes "$scratch"
  [ -z "$body" ] || wait "$body" 2>/dev/null
  rm -rf "$scratch"
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# In the background, so that a signal to this script is handled at once; a background command
# also ignores SIGINT, so Ctrl+C in a terminal reaches this script and nothing else.
TALLOWMERE_RUN=$scratch TALLOWMERE_SCRATCH=$scratch TMPDIR=$scratch/tmp HOME=$scratch/home "$@" &
body=$!
wait "$body"
