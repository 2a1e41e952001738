#!/usr/bin/env bash
# The cost of the unit's fast tick through qx70-run, measured the same way on
# every machine:
#   * instructions per fast tick for each page, counted by callgrind: the
#     instructions of a run that waits 1,100 ticks on the page minus those of
#     one that waits 100, divided by 1,000, so start-up and the way to the page
#     cancel out;
#   * the instructions of qx70-run's start-up: a run that only creates the
#     window;
#   * headless ticks per second on the data page, and the start-up's time:
#     the fastest of several runs, by the wall clock and by CPU time (user +
#     system, which a busy machine disturbs less).
#
#   bench/tick_cost.sh [BUILD_DIR [PAGE...]]   (make bench: build/, every page)
set -euo pipefail

build=${1:-build}
shift || true
run=$(realpath "$build/qx70-run")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The way to each page; every run then waits and checks the page is still up.
attitude_way='wait 1.25s
click left
click left'
declare -A way=(
  [attitude-demo]="$attitude_way"
  [attitude-level]="slot 16 0
set pitchRamps 0
set pitchAngle 0
set rollAngle 0
$attitude_way"
  [attitude-inverted]="slot 16 0
set pitchRamps 0
set pitchAngle -30
set rollAngle 170
$attitude_way"
  [data]='wait 1.25s'
  [runtime]='wait 1.25s
click right'
  [setup]='wait 1.25s
click left'
  # Standby on battery on the ground, held off from powering down.
  [splash]='set busyInput 1000
wait 1.25s
set busVoltage 4.5
set inFlight 0
wait 20'
)
declare -A page=([attitude-demo]=attitude [attitude-level]=attitude [attitude-inverted]=attitude
                 [data]=data [runtime]=runtime [setup]=setup [splash]=splash)
order=(attitude-demo attitude-level attitude-inverted data runtime setup splash)
if [ $# -gt 0 ]; then order=("$@"); fi

# script NAME TICKS: the page's script waiting TICKS on it.
script() {
  local f="$work/$1-$2.qx70"
  printf '%s\nexpect page %s\nwait %s\nexpect page %s\n' "${way[$1]}" "${page[$1]}" "$2" \
    "${page[$1]}" >"$f"
  echo "$f"
}

# Instructions callgrind counts for one run.
instructions() {
  local log="$work/callgrind.log"
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$run" "$1" >/dev/null 2>"$log" || {
    cat "$log" >&2
    exit 1
  }
  sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$log"
}

# Microseconds of the fastest of N runs: wall clock, then CPU (user + system).
fastest() {
  local n=$1 wall='' cpu='' t r u s
  shift
  for ((i = 0; i < n; i++)); do
    t=$({ TIMEFORMAT='%3R %3U %3S'; time "$@" >/dev/null; } 2>&1)
    read -r r u s <<<"$t"
    read -r r t <<<"$(awk -v r="$r" -v u="$u" -v s="$s" 'BEGIN { printf "%d %d", r * 1e6, (u + s) * 1e6 }')"
    if [ -z "$wall" ] || ((r < wall)); then wall=$r; fi
    if [ -z "$cpu" ] || ((t < cpu)); then cpu=$t; fi
  done
  echo "$wall $cpu"
}

echo
echo "Instructions per fast tick (callgrind through qx70-run, (1,100 - 100 ticks) / 1,000)"
echo "| page | instructions per tick |"
echo "|---|---|"
for p in "${order[@]}"; do
  [ -n "${way[$p]+set}" ] || continue
  short=$(instructions "$(script "$p" 100)")
  long=$(instructions "$(script "$p" 1100)")
  awk -v p="$p" -v d="$((long - short))" 'BEGIN { printf "| %s | %.3f M |\n", p, d / 1e9 }'
done

start="$work/start.qx70"
printf 'expect page splash\n' >"$start"
awk -v n="$(instructions "$start")" 'BEGIN { printf "| start-up (whole run) | %.3f M |\n", n / 1e6 }'

long_ticks=50000
read -r w_short c_short <<<"$(fastest 3 "$run" "$(script data 100)")"
read -r w_long c_long <<<"$(fastest 3 "$run" "$(script data $((long_ticks + 100)))")"
read -r w_start c_start <<<"$(fastest 20 "$run" "$start")"
echo
awk -v n="$long_ticks" -v w="$((w_long - w_short))" -v c="$((c_long - c_short))" \
  -v ws="$w_start" -v cs="$c_start" 'BEGIN {
  printf "headless data page: %.0f ticks/s (wall clock), %.0f ticks/s (CPU time)\n", n / (w / 1e6), n / (c / 1e6)
  printf "qx70-run start-up: %.1f ms (wall clock), %.1f ms (CPU time)\n", ws / 1e3, cs / 1e3
}'
