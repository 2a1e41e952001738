# Shared by the window tests: a work folder, failure reports, polling, a
# private X server, and screenshots of the simulator window checked with
# xwd_check. Source it after setting: name (the test's name), sim, check,
# outdir. Sets work, xvfb_pid, sim_pid, wid.
title='Brelmont QX-70 PC Simulator'
work=$(mktemp -d)
xvfb_pid='' sim_pid='' wid=''

cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

die() {
  echo "$name: FAIL: $*" >&2
  [ -s "$work/sim.err" ] && sed 's/^/  qx70sim: /' "$work/sim.err" >&2
  [ -s "$work/shot.xwd" ] && cp "$work/shot.xwd" "$outdir/${name}_last.xwd" &&
    echo "  last screenshot: $outdir/${name}_last.xwd" >&2
  exit 1
}

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
start_ms=$(now_ms)
step() { echo "$name: $(( $(now_ms) - start_ms )) ms: $*"; }

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

# The window is found by its title, or by its title with a note in brackets.
find_window() {
  alive
  wid=$(xdotool search --name "^$title( \(.*\))?\$" 2>/dev/null | head -1)
  [ -n "$wid" ]
}

# shot CHECK...: screenshot of the window, then the checks on it.
shot() {
  alive
  xwd -silent -id "$wid" -out "$work/shot.xwd" 2>/dev/null &&
    "$check" "$work/shot.xwd" "$@" 2>"$work/check.err"
}

why() { cat "$work/check.err" 2>/dev/null; }

# The client area of the window as "W H".
window_size() { xwininfo -id "$wid" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}'; }

# The window program runs with every sanitizer check, leaks included: its own
# suppressions name only the system libraries whose leaks it cannot fix
# (platform/sdl/leak_suppressions.cpp), and any report fails the test
# through the exit status and the stderr check.
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY SDL_VIDEODRIVER

# A private X server: -displayfd picks a free display and reports it when ready;
# -noreset keeps it from resetting (and refusing connections for a moment)
# each time its last client, such as a closed simulator, disconnects.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.err" &
  xvfb_pid=$!
  poll 10 test -s "$work/display" || die "Xvfb did not start: $(cat "$work/xvfb.err")"
  export DISPLAY=:$(head -1 "$work/display")
}

# Closes the window as a window manager does; the program must end with
# status 0 and nothing on stderr.
close_window() {
  "$closer" "$wid" || die "could not send WM_DELETE_WINDOW"
  poll 10 sim_exited || die "qx70sim still runs after the close request"
  wait "$sim_pid"
  local rc=$?
  sim_pid=''
  [ "$rc" -eq 0 ] || die "exit status $rc after closing the window"
  [ ! -s "$work/sim.err" ] || die "qx70sim wrote to stderr"
}
