#!/usr/bin/env bash
# End-to-end test of live readings on a private X server: a port already in
# use refused before the window opens; the real window receiving a 50 Hz
# stream from a sender process on a local port, its F12 picture of the
# attitude page identical to a qx70-run script that sets the same values;
# one second of silence turning the fed readings invalid (the status bar
# says so) and data bringing them back; and the session's recording and the
# feed's own recording replaying to the same pictures.
# Usage: feed_e2e.sh QX70SIM XWD_CHECK X11_CLOSE OUT_DIR QX70_RUN
set -uo pipefail

sim=$1 check=$2 closer=$3 outdir=$4 runner=$5
name=feed_e2e
. "$(dirname "$0")/x_session.sh"

sender_pid=''
stop_sender() {
  [ -n "$sender_pid" ] && kill "$sender_pid" 2>/dev/null && wait "$sender_pid" 2>/dev/null
  sender_pid=''
}
trap 'stop_sender; cleanup' EXIT

# The lamp of the status bar along the bottom of the bezel: green while the
# feed is live, amber while it is silent.
lamp='11 538' green=2e8b3a amber=e39b2d

# What the sender flies: a steady turn to the right. (No angle of attack: its
# marker blinks while invalid, and a screenshot would catch either phase.)
values='roll=30 pitch=5 gReading=1.15 trueAirspeed=120 densityAltitude=3500 oatCelsius=10 busVoltage=13.8'

# A free UDP port on the loopback address, from the system.
port=$(python3 -c 'import socket; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])') ||
  die "no free port"

# start_sender: 50 data sets a second, each on its own deadline so the rate
# does not drift, until killed.
start_sender() {
  python3 - "$port" "$values" <<'EOF' &
import socket, sys, time
out = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
line = (sys.argv[2] + "\n").encode()
due = time.monotonic()
while True:
    out.sendto(line, ("127.0.0.1", int(sys.argv[1])))
    due += 0.02
    time.sleep(max(0.0, due - time.monotonic()))
EOF
  sender_pid=$!
}

step "a port in use is refused before the window opens"
python3 - "$port" >"$work/holder" <<'EOF' &
import socket, sys, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", int(sys.argv[1])))
print("bound", flush=True)
time.sleep(30)
EOF
holder=$!
poll 10 grep -q bound "$work/holder" || die "could not hold port $port"
"$sim" --feed "udp:$port" >"$work/out" 2>"$work/err"
rc=$?
kill "$holder" 2>/dev/null
wait "$holder" 2>/dev/null
[ "$rc" -eq 2 ] || die "a feed on a port in use: exit status $rc, expected 2"
grep -q "^qx70sim: cannot listen on udp:127.0.0.1:$port: " "$work/err" || die "no reason: $(cat "$work/err")"

start_xvfb 1024x768x24

step "starting the sender on port $port and qx70sim --feed"
start_sender
mkdir "$work/shots" "$work/compare"
"$sim" --feed "udp:$port" --record "$work/session.qx70" --feed-record "$work/feed.qx70" \
  --shots "$work/shots" --mute >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
poll 15 find_window || die "no window titled '$title'"
poll 15 shot live || die "first picture: $(why)"
xdotool windowfocus --sync "$wid" || die "xdotool windowfocus failed"

# Past the splash to the data page, then five pages on to the attitude page.
sleep 2
for _ in 1 2 3 4 5; do
  xdotool keydown Right && sleep 0.1 && xdotool keyup Right && sleep 0.15 || die "xdotool key failed"
done

saved() { grep -c '^qx70sim: Saved ' "$work/sim.out"; }
saved_more_than() { [ "$(saved)" -gt "$1" ]; }

# f12 NAME: a screenshot, whose screen picture is kept as NAME.png.
f12() {
  local before
  before=$(saved)
  xdotool key F12 || die "xdotool key failed"
  poll 10 saved_more_than "$before" || die "F12 saved nothing"
  set -- "$1" "$(ls -t "$work"/shots/*-screen.png | head -1)"
  cp "$2" "$work/compare/$1.png"
  xdotool key Escape  # the message bar of the screenshot goes, the status bar shows again
  sleep 1.1           # the next screenshot gets a name of its own
}

step "live: the attitude page flies the sender's values"
sleep 1.5
shot pixel $lamp $green || die "the status bar does not show the live feed: $(why)"
f12 live

step "silence: after a second the fed readings go invalid"
stop_sender
sleep 1.5
poll 5 shot pixel $lamp $amber || die "the status bar does not say the feed is silent: $(why)"
f12 silent

step "data again: the readings come back"
start_sender
poll 5 shot pixel $lamp $green || die "the status bar stays silent: $(why)"
sleep 0.5
f12 back
stop_sender

step "closing"
close_window

# The same values set by a script, on the same page.
cat >"$work/compare/same.qx70" <<EOF
slot 16 0
set rollAngle 30
set pitchAngle 5
set pitchRamps 0
set gReading 1.15
set trueAirspeed 120
set densityAltitude 3500
set oatCelsius 10
set busVoltage 13.8
wait 2s
click right
click right
click right
click right
click right
expect page attitude
wait 2s
shot live.png
set attitudeValid 0
set airDataValid 0
set oatValid 0
wait 1s
shot silent.png
set attitudeValid 1
set airDataValid 1
set oatValid 1
wait 1s
shot back.png
EOF
step "the window's pictures against a script that sets the same values"
"$runner" --compare "$work/compare" --out "$work" "$work/compare/same.qx70" >"$work/run.out" 2>&1 ||
  die "the fed window differs from the script: $(cat "$work/run.out")"
cmp -s "$work/compare/live.png" "$work/compare/silent.png" && die "the silence changed nothing"

step "the recordings replay"
grep -q '^set rollAngle 30$' "$work/session.qx70" || die "the session recording lacks the fed roll"
"$runner" --compare "$work/shots" --out "$work" "$work/session.qx70" >"$work/run.out" 2>&1 ||
  die "the session's replay differs from the window: $(cat "$work/run.out")"
for line in 'slot 16 0' 'set rollAngle 30' 'set attitudeValid 0' 'set attitudeValid 1'; do
  grep -q "^$line\$" "$work/feed.qx70" || die "the feed recording lacks '$line'"
done
grep -q '^press' "$work/feed.qx70" && die "the feed recording holds the key presses"
"$runner" "$work/feed.qx70" >"$work/run.out" 2>&1 || die "the feed recording does not replay: $(cat "$work/run.out")"
step "passed"
