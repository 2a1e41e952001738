#!/usr/bin/env bash
# CPU use of the running window on a private X server, with and without a
# feed: no feed; a feed that receives nothing; 50 data sets a second; and a
# flood of datagrams as fast as one sender process can send them. Each run
# lets the window settle, then counts its user and system time over SECONDS.
# A measurement, not a test: it prints figures and checks nothing.
# Usage: bench/window_cpu.sh QX70SIM [SECONDS]
set -uo pipefail

sim=$1 seconds=${2:-20}
work=$(mktemp -d)
xvfb_pid='' sim_pid='' sender_pid=''
cleanup() {
  for p in $sender_pid $sim_pid $xvfb_pid; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(head -1 "$work/display") XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$work/run"
port=$(python3 -c 'import socket; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

# sender RATE: data sets a second to the port (0: as fast as possible).
sender() {
  python3 - "$port" "$1" <<'EOF' &
import socket, sys, time
out = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
port, rate = int(sys.argv[1]), float(sys.argv[2])
due = time.monotonic()
i = 0
while True:
    i += 1
    line = f"roll={20 + i % 10} pitch=3 gReading=1.1 trueAirspeed=120 densityAltitude=3500 oatCelsius=10\n"
    out.sendto(line.encode(), ("127.0.0.1", port))
    if rate > 0:
        due += 1 / rate
        time.sleep(max(0.0, due - time.monotonic()))
EOF
  sender_pid=$!
}

# cpu_ticks PID: user plus system time in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# measure LABEL RATE ARGS...: RATE "" for no sender.
measure() {
  local label=$1 rate=$2
  shift 2
  "$sim" --mute "$@" >/dev/null 2>&1 &
  sim_pid=$!
  [ -n "$rate" ] && sender "$rate"
  sleep 3
  local before after hz
  before=$(cpu_ticks "$sim_pid")
  sleep "$seconds"
  after=$(cpu_ticks "$sim_pid")
  hz=$(getconf CLK_TCK)
  awk -v l="$label" -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "%-36s %5.1f%% of a core\n", l, t * 100 / hz / s }'
  kill "$sim_pid" $sender_pid 2>/dev/null
  wait "$sim_pid" $sender_pid 2>/dev/null
  sim_pid='' sender_pid=''
}

measure "no feed" ""
measure "feed, nothing received" "" --feed "udp:$port"
measure "feed, 50 data sets/s" 50 --feed "udp:$port"
measure "feed, flood (one sender flat out)" 0 --feed "udp:$port"
