#!/usr/bin/env bash
# End-to-end test of how a window session ends and what it leaves: a
# recording's file untouched when no session starts, a second simulator
# refused the file another one records into, recordings that are complete
# and replay after SIGHUP, SIGTERM and SIGINT, no temporary files left, a
# quick click whose press and release fall between two ticks, and Ctrl +
# stopping at the largest zoom that fits the screen.
# Usage: session_endings_e2e.sh QX70SIM XWD_CHECK X11_CLOSE OUT_DIR QX70_RUN
set -uo pipefail

sim=$1 check=$2 closer=$3 outdir=$4 runner=$5
name=session_endings_e2e
. "$(dirname "$0")/x_session.sh"

# The Right button's centre, and a pixel of the message bar's amber frame.
right_x=340 right_y=220
message_corner='0 549' amber=e39b2d

temporaries() { find "$1" -maxdepth 1 -name '.*' ! -name . | wc -l; }

step "no session without a display: the recording's file stays as it was"
mkdir "$work/rec"
printf 'wait 1\n' >"$work/rec/old.qx70"
env -u DISPLAY "$sim" --record "$work/rec/old.qx70" 2>/dev/null && die "a session started without a display"
[ "$(cat "$work/rec/old.qx70")" = "wait 1" ] || die "the existing recording was overwritten"
env -u DISPLAY "$sim" --record "$work/rec/new.qx70" 2>/dev/null
[ ! -e "$work/rec/new.qx70" ] || die "a recording file was created without a session"
[ "$(temporaries "$work/rec")" -eq 0 ] || die "temporary files left: $(ls -A "$work/rec")"

# 1600 x 1200: zoom 2 (900 x 1100) fits, zoom 3 does not.
start_xvfb 1600x1200x24

# start_recording FILE: a window recording into FILE; sets sim_pid and wid.
start_recording() {
  "$sim" --record "$1" >"$work/sim.out" 2>"$work/sim.err" &
  sim_pid=$!
  wid=''
  poll 15 find_window || die "no window titled '$title'"
  poll 15 shot bezel live || die "first picture: $(why)"
}

# end_by SIGNAL FILE: the session ends by the signal and its recording is
# complete: it ends with its last wait and replays.
end_by() {
  local sig=$1 file=$2 rc
  kill -"$sig" "$sim_pid"
  poll 10 sim_exited || die "qx70sim still runs after SIG$sig"
  wait "$sim_pid"
  rc=$?
  sim_pid=''
  [ "$rc" -eq $((128 + $(kill -l "$sig"))) ] || die "SIG$sig: exit status $rc"
  [ ! -s "$work/sim.err" ] || die "SIG$sig: qx70sim wrote to stderr"
  tail -1 "$file" | grep -q '^wait ' || die "SIG$sig: the recording ends without its last wait"
  [ "$(temporaries "$(dirname "$file")")" -eq 0 ] || die "SIG$sig left temporary files"
  "$runner" "$file" >"$work/run.out" 2>&1 || die "SIG$sig: the recording does not replay: $(cat "$work/run.out")"
}

step "a second simulator cannot record into the same file"
start_recording "$work/rec/same.qx70"
"$sim" --record "$work/rec/same.qx70" >"$work/second.out" 2>"$work/second.err"
rc=$?
[ "$rc" -eq 2 ] || die "the second simulator: exit status $rc, expected 2"
[ "$(wc -l <"$work/second.err")" -eq 1 ] || die "the second simulator said: $(cat "$work/second.err")"
grep -q 'being recorded by another qx70sim' "$work/second.err" || die "no reason: $(cat "$work/second.err")"
"$sim" --record "$work/rec/both.qx70" --feed udp:5599 --feed-record "$work/rec/../rec/both.qx70" 2>"$work/second.err"
[ $? -eq 2 ] || die "one file for both recordings was not refused"
grep -q 'name the same file' "$work/second.err" || die "one file for both recordings: $(cat "$work/second.err")"

step "a click whose press and release fall between two ticks"
sleep 1.5  # past the splash, on the data page
xdotool mousemove --window "$wid" "$right_x" "$right_y" click 1 || die "xdotool click failed"
sleep 0.3
end_by HUP "$work/rec/same.qx70"
grep -q '^press right$' "$work/rec/same.qx70" || die "the quick click never reached the unit"
{ cat "$work/rec/same.qx70"; echo 'expect page runtime'; } >"$work/rec/page.qx70"
"$runner" "$work/rec/page.qx70" >"$work/run.out" 2>&1 || die "the click did not turn the page: $(cat "$work/run.out")"

for sig in TERM INT; do
  step "a session ended by SIG$sig"
  start_recording "$work/rec/$sig.qx70"
  end_by "$sig" "$work/rec/$sig.qx70"
done

step "Ctrl + stops at the largest zoom that fits"
"$sim" >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
poll 15 find_window || die "no window titled '$title'"
poll 15 shot bezel live || die "first picture: $(why)"
# At the top-left corner, so the whole window is on the screen for xwd.
xdotool windowmove --sync "$wid" 0 0 windowfocus --sync "$wid" key ctrl+equal || die "xdotool failed"
poll 10 test "$(window_size)" = "900 1100" || die "Ctrl+= gave a client area of $(window_size)"
xdotool key ctrl+equal
sleep 0.5
[ "$(window_size)" = "900 1100" ] || die "zoom 3 does not fit, yet the client area is $(window_size)"
poll 10 shot zoom 2 pixel $message_corner $amber || die "no message says why: $(why)"
close_window
echo "$name: ok"
