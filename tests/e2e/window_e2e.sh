#!/usr/bin/env bash
# End-to-end test of the window program on a private X server: refusals
# without a usable display, the first picture, the brightness dialog opened
# and closed with the Right button, a resize, and closing the window as a
# user does.
# Usage: window_e2e.sh QX70SIM XWD_CHECK X11_CLOSE OUT_DIR
set -uo pipefail

sim=$1 check=$2 closer=$3 outdir=$4
title='Brelmont QX-70 PC Simulator'
work=$(mktemp -d)
xvfb_pid='' sim_pid='' wid=''

# A pixel of the brightness dialog's level bar (screen (30, 87), white while
# the dialog shows the simulated level 30), and the Right button's centre.
level_bar='195 194' white=ffffff
right_button='340 220'

cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

die() {
  echo "window_e2e: FAIL: $*" >&2
  [ -s "$work/sim.err" ] && sed 's/^/  qx70sim: /' "$work/sim.err" >&2
  [ -s "$work/shot.xwd" ] && cp "$work/shot.xwd" "$outdir/window_e2e_last.xwd" &&
    echo "  last screenshot: $outdir/window_e2e_last.xwd" >&2
  exit 1
}

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
start_ms=$(now_ms)
step() { echo "window_e2e: $(( $(now_ms) - start_ms )) ms: $*"; }

# poll SECONDS COMMAND...: retries COMMAND every 50 ms until it succeeds.
poll() {
  local deadline=$(( $(now_ms) + $1 * 1000 )); shift
  until "$@"; do
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

sim_state() { awk '{print $3}' "/proc/$sim_pid/stat" 2>/dev/null; }
sim_exited() { local s; s=$(sim_state); [ -z "$s" ] || [ "$s" = Z ]; }
alive() { sim_exited && die "qx70sim exited early"; return 0; }

find_window() {
  alive
  wid=$(xdotool search --name "^$title\$" 2>/dev/null | head -1)
  [ -n "$wid" ]
}

# shot CHECK...: screenshot of the window, then the checks on it.
shot() {
  alive
  xwd -silent -id "$wid" -out "$work/shot.xwd" 2>/dev/null &&
    "$check" "$work/shot.xwd" "$@" 2>"$work/check.err"
}

why() { cat "$work/check.err" 2>/dev/null; }

# SDL unloads the X11 libraries it opened before the leak check runs, so
# their leftovers cannot be told apart by module: leak checking is off for the
# window program (the unit tests keep it). Any other sanitizer report still
# fails the test through the exit status and the stderr check.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY SDL_VIDEODRIVER

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

# A private X server: -displayfd picks a free display and reports it when ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
xvfb_pid=$!
poll 10 test -s "$work/display" || die "Xvfb did not start: $(cat "$work/xvfb.err")"
export DISPLAY=:$(head -1 "$work/display")

step "starting qx70sim on $DISPLAY"
"$sim" 2>"$work/sim.err" &
sim_pid=$!
poll 15 find_window || die "no window titled '$title'"
read -r w h < <(xwininfo -id "$wid" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')
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
"$closer" "$wid" || die "could not send WM_DELETE_WINDOW"
poll 10 sim_exited || die "qx70sim still runs after the close request"
wait "$sim_pid"
rc=$?
sim_pid=''
[ "$rc" -eq 0 ] || die "exit status $rc after closing the window"
[ ! -s "$work/sim.err" ] || die "qx70sim wrote to stderr"
echo "window_e2e: ok"
