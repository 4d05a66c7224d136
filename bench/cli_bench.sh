#!/usr/bin/env bash
# tallowmere-cli's speed, each against its yardstick in the same run:
#   cli_bench.sh linux <bench build folder>     1,000,000 passwords of 16 characters beside
#       "pwgen -s -y" (Debian's pwgen package): at most 0.2x its time; characters per second
#       within 2x of generator_bench's SystemThroughput/16/100000.
#   cli_bench.sh wine <windows build folder>    (inside scripts/private-run.sh) one password
#       started under Wine, beside "cmd /c echo" started the same way: at most 1.5x its time.
# Times are the median of several runs, in milliseconds.
set -euo pipefail
mode=$1 build=$2
now() { date +%s%N; }
# median_ms RUNS command...: the median wall time of the command, output discarded.
median_ms() {
  local runs=$1 times=() start
  shift
  for ((i = 0; i < runs; i++)); do
    start=$(now)
    "$@" >/dev/null
    times+=($((($(now) - start) / 1000000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p"
}
verdict() {  # name value limit: value <= limit?
  if awk "BEGIN { exit !($2 <= $3) }"; then echo "PASS $1: $2 (at most $3)"; else echo "FAIL $1: $2 (at most $3)"; fi
}

if [ "$mode" = linux ]; then
  cli=$build/cli/tallowmere-cli
  ours=$(median_ms 5 "$cli" -n 1000000 -l 16)
  theirs=$(median_ms 1 pwgen -s -y 16 1000000)
  echo "tallowmere-cli -n 1000000 -l 16: ${ours} ms; pwgen -s -y 16 1000000: ${theirs} ms"
  verdict "time against pwgen" "$(awk "BEGIN { printf \"%.3f\", $ours / $theirs }")" 0.2
  cps=$(awk "BEGIN { printf \"%.0f\", 16000000 / ($ours / 1000) }")
  gen=$("$build/bench/generator_bench" --benchmark_filter='^SystemThroughput/16/100000$' \
        --benchmark_format=json 2>/dev/null | sed -n 's/.*"items_per_second": \([0-9.e+]*\).*/\1/p')
  echo "characters per second: ${cps} through the command line, $(printf '%.0f' "$gen") in the generator"
  verdict "generator's rate over ours" "$(awk "BEGIN { printf \"%.2f\", $gen / $cps }")" 2
else
  source "$(dirname "$0")/../scripts/wine-env.sh"
  wine_env_start >/dev/null 2>&1
  trap 'wine_env_stop >/dev/null 2>&1' EXIT
  exe=$build/cli/tallowmere-cli.exe
  wine "$exe" >/dev/null 2>&1; wine cmd /c echo >/dev/null 2>&1  # warm
  ours=$(median_ms 15 wine "$exe")
  echo_ms=$(median_ms 15 wine cmd /c echo x)
  echo "wine tallowmere-cli.exe: ${ours} ms; wine cmd /c echo x: ${echo_ms} ms"
  verdict "start under Wine against cmd /c echo" "$(awk "BEGIN { printf \"%.2f\", $ours / $echo_ms }")" 1.5
fi
