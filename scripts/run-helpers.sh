#!/usr/bin/env bash
# Sourced by the run and test scripts: a virtual display of the run's own, and the processes of a
# run. A run marks everything it starts with TALLOWMERE_RUN=<its own id> in the environment, which
# every child inherits (Wine's server and Windows processes too), so its processes can be told
# from those of any other run or program on the machine and ended without a list of PIDs.

# Starts Xvfb on a display number the X server picks itself (-displayfd), so that runs started at
# the same moment never take the same one. Sets DISPLAY and VIRTUAL_DISPLAY_PID.
virtual_display_start() {
  local answer number=""
  answer=$(mktemp)
  # In a session of its own: Xvfb does not keep the SIGINT a background command ignores, and a
  # Ctrl+C in the terminal must not take the screen from under the programs still closing.
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$answer" >/dev/null 2>&1 &
  VIRTUAL_DISPLAY_PID=$!
  # The number is written once the server takes connections.
  for _ in $(seq 100); do
    number=$(cat "$answer")
    if [ -n "$number" ] || ! kill -0 "$VIRTUAL_DISPLAY_PID" 2>/dev/null; then break; fi
    sleep 0.1
  done
  rm -f "$answer"
  if [ -z "$number" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=:$number
}

virtual_display_stop() {
  [ -n "${VIRTUAL_DISPLAY_PID:-}" ] || return 0
  # On SIGTERM Xvfb removes its lock file and socket.
  kill "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
  wait "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
  VIRTUAL_DISPLAY_PID=""
}

# The PIDs of the live processes marked TALLOWMERE_RUN=$1 (as they were started: a process's
# environment from its start is what counts). The search runs without the mark, and leaves out
# the calling shell, so that it never finds itself.
run_processes() {
  env -u TALLOWMERE_RUN bash -c \
    'grep -lzx "TALLOWMERE_RUN=$1" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 | grep -vx "$2"' \
    _ "$1" "$$"
}

# Gives the processes of run $1 up to $2 seconds (default 0) to end by themselves, then ends them:
# SIGTERM first (Xvfb, cupsd and Wine's server clean up after themselves), SIGKILL for what is
# left after 10 more seconds. Fails, naming them, if some still live after 15.
end_run_processes() {
  local run=$1 grace=${2:-0} pids tick=0
  for _ in $(seq $((grace * 10))); do
    [ -n "$(run_processes "$run" || true)" ] || return 0
    sleep 0.1
  done
  # grep fails for a process that ends while it looks: only the list counts.
  while pids=$(run_processes "$run" || true) && [ -n "$pids" ]; do
    if [ $tick = 150 ]; then
      echo "still running after SIGKILL:" >&2
      # shellcheck disable=SC2086
      ps -o pid=,args= -p "$(echo $pids | tr ' ' ,)" >&2
      return 1
    fi
    # shellcheck disable=SC2086
    kill -s "$([ $tick -lt 100 ] && echo TERM || echo KILL)" $pids 2>/dev/null || true
    sleep 0.1
    tick=$((tick + 1))
  done
}
