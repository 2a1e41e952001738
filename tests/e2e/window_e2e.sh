#!/usr/bin/env bash
# End-to-end test of the window program on a private X server: refusals
# without a usable display, the first picture, the brightness dialog opened
# and closed with the Right button, a resize, and closing the window as a
# user does.
# Usage: window_e2e.sh QX70SIM XWD_CHECK X11_CLOSE OUT_DIR
set -uo pipefail

sim=$1 check=$2 closer=$3 outdir=$4
name=window_e2e
. "$(dirname "$0")/x_session.sh"

# A pixel of the brightness dialog's level bar (screen (30, 87), white while
# the dialog shows the simulated level 30), and the Right button's centre.
level_bar='195 194' white=ffffff
right_button='340 220'

# refusal LABEL ENV...: the program must print one line on stderr and exit 1.
refusal() {
  local label=$1 rc; shift
  env "$@" "$sim" >"$work/out" 2>"$work/err"; rc=$?
  [ "$rc" -eq 1 ] || die "$label: exit status $rc, expected 1"
  [ "$(wc -l <"$work/err")" -eq 1 ] || die "$label: expected one line on stderr, got: $(cat "$work/err")"
  [ ! -s "$work/out" ] || die "$label: unexpected output on stdout"
}
step "refusals without a usable display"
refusal "no display" -u DISPLAY
refusal "unreachable display" DISPLAY=:65000
refusal "invisible driver" SDL_VIDEODRIVER=dummy

start_xvfb 1280x1024x24

step "starting qx70sim on $DISPLAY"
"$sim" 2>"$work/sim.err" &
sim_pid=$!
poll 15 find_window || die "no window titled '$title'"
read -r w h < <(window_size)
[ "$w $h" = "450 550" ] || die "client area is ${w}x$h, expected 450x550"

step "window $wid is up"
poll 15 shot bezel live || die "first picture: $(why)"
shot notpixel $level_bar $white || die "level bar shown before any click: $(why)"

# A Right hold (1.2 s) opens the brightness dialog. SDL takes the click
# position from the last motion event, so the pointer moves there first.
step "holding Right"
xdotool mousemove --window "$wid" $right_button || die "xdotool mousemove failed"
xdotool mousedown 1 || die "xdotool mousedown failed"
poll 15 shot pixel $level_bar $white || die "Right hold did not open the dialog: $(why)"
xdotool mouseup 1 || die "xdotool mouseup failed"

# A larger window keeps the bezel at the top-left corner, black beyond it;
# the dialog stays open meanwhile.
step "resizing"
xdotool windowsize "$wid" 600 700 || die "xdotool windowsize failed"
poll 10 shot bezel live pixel 520 300 000000 pixel 200 650 000000 pixel $level_bar $white ||
  die "after resizing: $(why)"

# A Right click closes the dialog again; the button stays down for several
# 10 ms ticks so that the unit sees the press.
step "clicking Right"
xdotool mousemove --window "$wid" $right_button || die "xdotool mousemove failed"
xdotool mousedown 1 || die "xdotool mousedown failed"
sleep 0.1
xdotool mouseup 1 || die "xdotool mouseup failed"
poll 10 shot notpixel $level_bar $white || die "Right click did not close the dialog: $(why)"

step "closing"
close_window
echo "window_e2e: ok"
