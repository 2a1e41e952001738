#!/usr/bin/env bash
# End-to-end test of the window's desktop comforts on a private X server:
# option refusals, zoom (start option and keys, a crisp picture, clicks at
# zoomed positions), buttons held with keys and with key and mouse together,
# pause and single frames, the key help and the message bar, the device
# panel raising an alert with its sound, screenshots, and a recorded session
# that qx70-run replays to the same screenshots. A second window checks that
# a missing audio device and an unusable screenshot folder stay quiet.
# Usage: desktop_e2e.sh QX70SIM XWD_CHECK X11_CLOSE OUT_DIR QX70_RUN
set -uo pipefail

sim=$1 check=$2 closer=$3 outdir=$4 runner=$5
name=desktop_e2e
. "$(dirname "$0")/x_session.sh"

# Picture positions: a pixel of the brightness dialog's level bar (white
# while the dialog is open), the Right button's centre, the amber border of
# the key help and of the message bar.
level_bar='195 194' white=ffffff
right_x=340 right_y=220
help_corner='25 126' message_corner='0 549' amber=e39b2d
# The panel's "AOA limit 1" switch (row 8), and a pixel of the yellow
# angle-of-attack alert bar on the screen's left edge.
aoa_switch_x=650 aoa_switch_y=212 alert_bar='170 147' yellow=ffff00

# refused ARGS...: exit status 2, a reason and the usage line on stderr.
refused() {
  local rc
  "$sim" "$@" >"$work/out" 2>"$work/err"; rc=$?
  [ "$rc" -eq 2 ] || die "'$*': exit status $rc, expected 2"
  [ "$(wc -l <"$work/err")" -eq 2 ] || die "'$*': expected two lines on stderr, got: $(cat "$work/err")"
  grep -q '^usage: qx70sim' "$work/err" || die "'$*': no usage line: $(cat "$work/err")"
  [ ! -s "$work/out" ] || die "'$*': unexpected output on stdout"
}
step "refusing bad options"
refused --zoom 0
refused --zoom 5
refused --zoom two
refused --zoom
refused --frobnicate
refused stray-argument
"$sim" --help >"$work/out" 2>"$work/err" || die "--help: exit status $?"
grep -q 'Up or V' "$work/out" || die "--help lists no keys"

# Tall enough for zoom 4 (1800 x 2200): xwd reads only what is on screen.
start_xvfb 2000x2400x24

# The dummy audio driver plays into nothing: the sound path runs, silently.
step "starting qx70sim --zoom 2 --record on $DISPLAY"
mkdir "$work/shots"
SDL_AUDIODRIVER=dummy "$sim" --zoom 2 --record "$work/session.qx70" --shots "$work/shots" \
  >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
poll 15 find_window || die "no window titled '$title'"
[ "$(window_size)" = "900 1100" ] || die "client area at zoom 2 is $(window_size)"
poll 15 shot zoom 2 bezel live || die "first picture at zoom 2: $(why)"
# SDL takes the keyboard focus from the X server's focus.
xdotool windowfocus --sync "$wid" || die "xdotool windowfocus failed"

dialog_open() { shot zoom "$1" pixel $level_bar $white; }
dialog_closed() { shot zoom "$1" notpixel $level_bar $white; }
size_is() { [ "$(window_size)" = "$1 $2" ]; }
title_is() { [ "$(xdotool getwindowname "$wid")" = "$1" ]; }
click_right_key() { xdotool keydown Right && sleep 0.1 && xdotool keyup Right; }

step "holding the Right key"
xdotool keydown Right || die "xdotool keydown failed"
poll 15 dialog_open 2 || die "a held Right key did not open the dialog: $(why)"
xdotool keyup Right
click_right_key || die "xdotool key failed"
poll 10 dialog_closed 2 || die "a Right key click did not close the dialog: $(why)"

# The key lets go after 0.3 s while the mouse still holds Right at its
# zoomed position: the hold goes on and opens the dialog.
step "holding Right with key and mouse"
xdotool mousemove --window "$wid" $((right_x * 2 + 1)) $((right_y * 2 + 1)) || die "xdotool mousemove failed"
xdotool keydown Right
sleep 0.3
xdotool mousedown 1 || die "xdotool mousedown failed"
sleep 0.3
xdotool keyup Right
poll 15 dialog_open 2 || die "the mouse's hold ended with the key's: $(why)"
xdotool mouseup 1
# Let a tick see the release: a key press in the same 10 ms would keep the
# level up and the decoder would see neither.
sleep 0.1
click_right_key
poll 10 dialog_closed 2 || die "the dialog did not close: $(why)"

step "zooming with the keys"
xdotool key ctrl+equal || die "xdotool key failed"
poll 10 size_is 1350 1650 || die "Ctrl+= gave a client area of $(window_size)"
poll 10 shot zoom 3 bezel || die "picture at zoom 3: $(why)"
xdotool key ctrl+equal ctrl+equal
poll 10 size_is 1800 2200 || die "zoom 4 gave a client area of $(window_size)"
xdotool key ctrl+minus
poll 10 size_is 1350 1650 || die "Ctrl+- gave a client area of $(window_size)"
xdotool key ctrl+0
poll 10 size_is 450 550 || die "Ctrl+0 gave a client area of $(window_size)"
poll 10 shot bezel || die "picture back at zoom 1: $(why)"

# While paused nothing runs: a held Right key opens the dialog only after
# the unit has seen 121 frames of it, one per N.
step "pausing"
xdotool key p
poll 10 title_is "$title (paused, recording)" || die "no pause in the title"
shot bezel && cp "$work/shot.xwd" "$work/paused.xwd"
sleep 0.3
shot bezel && cmp -s "$work/shot.xwd" "$work/paused.xwd" || die "the picture moved while paused"
xdotool keydown Right
sleep 1.5
shot notpixel $level_bar $white || die "the unit ran while paused: $(why)"
xdotool key --delay 15 --repeat 100 n
sleep 0.3
shot notpixel $level_bar $white || die "100 frames already opened the dialog: $(why)"
xdotool key --delay 15 --repeat 25 n
poll 10 shot pixel $level_bar $white || die "125 frames did not open the dialog: $(why)"
xdotool keyup Right
xdotool key p
poll 10 title_is "$title (recording)" || die "the title still says paused"
click_right_key
poll 10 shot notpixel $level_bar $white || die "the dialog did not close after the pause: $(why)"

step "key help and message bar"
xdotool key F1
poll 10 shot pixel $help_corner $amber || die "F1 showed no help: $(why)"
xdotool key Escape
poll 10 shot bezel || die "Esc left the help behind: $(why)"
xdotool key m
poll 10 shot pixel $message_corner $amber || die "M showed no message: $(why)"

# A click on the panel's switch raises the angle-of-attack alert, whose
# banner blinks on the screen; F12 then saves both pictures.
step "device panel and screenshots"
xdotool key F2
poll 10 size_is 690 550 || die "F2 gave a client area of $(window_size)"
xdotool mousemove --window "$wid" $aoa_switch_x $aoa_switch_y mousedown 1 mouseup 1 || die "xdotool click failed"
poll 10 shot pixel $alert_bar $yellow || die "the panel's switch raised no alert: $(why)"
xdotool key F12
poll 10 grep -q '^qx70sim: Saved ' "$work/sim.out" || die "F12 saved nothing"
set -- "$work"/shots/*-window.png
[ -s "$1" ] && [ -s "${1%-window.png}-screen.png" ] || die "F12 did not write both pictures: $(ls "$work/shots")"
# Width and height of the window picture, from the PNG header.
[ "$(od -An -tu1 -j16 -N8 "$1" | tr -s ' ')" = " 0 0 2 178 0 0 2 38" ] || die "the window picture is not 690 x 550"

step "closing"
close_window
grep -q '^set aoaInput\[0\] 1$' "$work/session.qx70" || die "the recording lacks the panel change"
grep -q '^shot qx70-.*-screen.png$' "$work/session.qx70" || die "the recording lacks the shot"

step "replaying the recording"
"$runner" --compare "$work/shots" --out "$work" "$work/session.qx70" >"$work/run.out" 2>&1 ||
  die "the replay differs from the window: $(cat "$work/run.out")"

# A screenshot folder that does not exist is refused at start.
"$sim" --shots "$work/missing" >"$work/out" 2>"$work/err"
[ $? -eq 2 ] || die "--shots with a missing folder did not exit with status 2"
grep -q "^qx70sim: cannot save screenshots in $work/missing: no such folder\$" "$work/err" ||
  die "--shots with a missing folder says: $(cat "$work/err")"

# No audio device (ALSA without a configuration) and a screenshot folder that
# goes away after the start: the alert and F12 give no error output and no crash.
step "starting qx70sim without audio device"
mkdir "$work/missing"
SDL_AUDIODRIVER=alsa ALSA_CONFIG_PATH=/dev/null "$sim" --shots "$work/missing" >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
poll 15 find_window || die "no window titled '$title'"
poll 15 shot bezel || die "first picture: $(why)"
xdotool windowfocus --sync "$wid" key F2 || die "xdotool failed"
xdotool key --delay 20 Tab Tab Tab Tab Tab Tab Tab Tab space
poll 10 shot pixel $alert_bar $yellow || die "the panel keys raised no alert: $(why)"
rmdir "$work/missing"
xdotool key F12
poll 10 shot pixel $message_corner $amber || die "no message about the missing folder: $(why)"
[ ! -e "$work/missing" ] || die "a folder appeared"
! grep -q Saved "$work/sim.out" || die "a screenshot was reported saved"
close_window
echo "desktop_e2e: ok"
